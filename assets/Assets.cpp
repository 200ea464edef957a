// Holds the compiled resource bundle of this folder; the pictures themselves
// are reached through Qt's resource paths ":/assets/...".
