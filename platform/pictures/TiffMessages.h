#pragma once
// libtiff, which Qt's TIFF reader uses, writes its warnings and errors to the
// terminal itself. Sent to Qt's message handler instead, they reach whoever
// collects what the readers said about a picture, for that picture's report.
void SendTiffMessagesToQt();
