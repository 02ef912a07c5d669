// The program's own help viewer: a window that shows the help file (HTML) with
// its contents and links.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace tavrine::ui {

class HelpViewer final : public QWidget {
    Q_OBJECT
public:
    /// A window for the help file at `path`; it is read when first shown.
    explicit HelpViewer(QString path, QWidget* parent = nullptr);

    /// Shows the help at its beginning (the contents), reading the file when it
    /// has not been read yet. False, with a message, when the file cannot be read.
    bool ShowContents();
    /// Shows the help at the heading with id `anchor` (the contents when there
    /// is none), as ShowContents otherwise.
    bool ShowPage(const QString& anchor);

    QTextBrowser* Browser() const { return browser_; }
    QString Path() const { return path_; }

signals:
    /// The window was closed.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString path_;
    QTextBrowser* browser_;
    bool loaded_ = false;
};

}  // namespace tavrine::ui
