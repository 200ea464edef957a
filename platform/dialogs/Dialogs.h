#pragma once
// The program's four file dialogs, reached through one seam: the window asks
// a TDialogs for a file name, and tests answer in place of the real dialogs.
#include <QString>
#include <map>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

enum class TFileDialogKind { OpenDialog, SaveDialog, OpenPictureDialog, SavePictureDialog };

struct TFileDialogSettings {
    QString Title;      // empty: the system's default title
    QString Filter;     // "Name|patterns|Name|patterns..."
    QString DefaultExt; // given to a name typed without an extension
    bool Save = false;
    bool Preview = false; // a preview pane of the picture under the cursor
};

const TFileDialogSettings& FileDialogSettings(TFileDialogKind kind);

// The dialog of a kind, set up and not shown: Qt's own widget dialog; any
// name is taken (no need to exist, no question before replacing a file).
// Qt's dialogs neither read nor write the user's QtProject.conf.
std::unique_ptr<QFileDialog> CreateFileDialog(TFileDialogKind kind, QWidget* parent);

class TDialogs {
public:
    virtual ~TDialogs() = default;
    // Shows the dialog of kind; the chosen path, or nothing when cancelled.
    virtual std::optional<QString> Execute(TFileDialogKind kind) = 0;
};

// The real dialogs, modal over parent. Each opens on the file it last gave,
// or until it has given one, in the folder of the last file any of them gave.
// They remember that for the run only: nothing is written for the next one.
class TStandardDialogs final : public TDialogs {
public:
    explicit TStandardDialogs(QWidget* parent) : Parent_(parent) {}
    std::optional<QString> Execute(TFileDialogKind kind) override;

private:
    QWidget* Parent_;
    std::map<TFileDialogKind, QString> LastFile_;
    QString LastFolder_;
};
