// The image library editor ("ImageEditor"): a tool window over the game's own
// library that shows its groups, subgroups and lists as a tree, the pictures of
// the chosen list as thumbnails and the sounds below them; it adds, replaces and
// deletes pictures and sounds from .bmp and .wav files, saves the library file,
// plays sounds, and is where pictures are dragged from onto the map.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/image_ref.h"
#include "data/library.h"

class QAction;
class QFrame;
class QListWidget;
class QMimeData;
class QSplitter;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavrine::ui {

class TMainForm;

/// The drag format of a picture of the library: its group, subgroup, list and
/// frame as four decimal numbers separated by single spaces, in ASCII.
inline constexpr char kPictureMimeType[] = "application/x-tavrine-picture";

/// Drag data naming `picture`.
QMimeData* PictureMime(const ImageRef& picture);

/// The picture a drag names: exactly four numbers of 1 to 9 digits each,
/// separated by single spaces, nothing else; nullopt for anything else or
/// when the format is absent.
std::optional<ImageRef> PictureFromMime(const QMimeData& data);

/// What the window needs from the game around it: the library it works on,
/// saving it, telling the game it changed, and playing one of its sounds.
class ImageEditorHost {
public:
    virtual ~ImageEditorHost() = default;
    virtual ImageLibrary& Library() = 0;
    /// Writes the library to the program folder's library file; a failure has
    /// been reported to the user when this returns false.
    virtual bool SaveLibrary() = 0;
    /// The pictures are converted again for drawing and every sound gets a
    /// playback buffer.
    virtual void LibraryChanged() = 0;
    /// Plays sound `index` once without waiting.
    virtual void PlaySound(std::int32_t index) = 0;
};

/// The file dialogs of the window. Each remembers its own file name, which the
/// next showing starts from.
enum class FileDialogKind { Picture, Sound, GameOpen, GameSave };

/// One question for a file: open or save, its filter and the name to start from.
struct FileRequest {
    FileDialogKind Kind = FileDialogKind::Picture;
    bool Save = false;
    QString Filter;       ///< like "Bitmaps (*.bmp)"
    QString InitialName;
};

class TImageForm final : public QWidget {
    Q_OBJECT
public:
    /// The editor of `form`'s library, a tool window over it. It is not shown
    /// until `OpenImageEditor`.
    explicit TImageForm(TMainForm& form);
    /// The editor over any host (tests); its icons come from `programFolder`.
    TImageForm(ImageEditorHost& host, const std::string& programFolder, QWidget* parent = nullptr);
    ~TImageForm() override;

    /// Refills the tree and the sounds from the library, clears `LibraryChanged`
    /// and shows the window without waiting.
    void OpenImageEditor();
    /// One node per group, under it one per subgroup, under that one per list;
    /// then subgroup 0 of group 0 is selected when it exists.
    void FillTree();
    /// One item per sound, captioned with its index.
    void FillSounds();
    /// The thumbnails of the selected list; empty unless a list node is selected.
    void ShowPictures();

    /// True after any change to pictures or sounds since the window was opened
    /// or the library saved. Adding groups, subgroups and lists does not count.
    bool LibraryChanged() const { return libraryChanged_; }

    // Handlers, by the control and event they belong to.
    void TreeView1Change();
    void ToolButton1Click();   ///< save the library
    void ToolButton6Click();   ///< add a group
    void ToolButton2Click();   ///< add at the selected level: a subgroup, a list or a picture
    void ToolButton3Click();   ///< delete the selected picture
    void ToolButton4Click();   ///< replace the selected picture from a file
    void ToolButton16Click();  ///< fill the selected list from a numbered series of files
    void ToolButton9Click();   ///< add a sound from a file
    void ToolButton10Click();  ///< delete the selected sound
    void ToolButton11Click();  ///< replace the selected sound from a file
    void ToolButton12Click();  ///< play the selected sound
    void ToolButton14Click();  ///< game file, open dialog: only sets the save dialog's next name
    void ToolButton15Click();  ///< game file, save dialog: only sets the sound dialog's next name

    /// Asks for a file: the chosen path, or empty for Cancel. Shows the desktop's
    /// file dialog unless replaced.
    std::function<QString(const FileRequest&)> AskFile;
    /// F1 in the window: opens the guide at the library editor's page.
    std::function<void()> OpenHelp;
    /// Shows a file that could not be loaded: a standard error box unless replaced.
    std::function<void(const QString& caption, const QString& text)> ReportError;

    /// The name the dialog of that kind starts from next time.
    QString InitialName(FileDialogKind kind) const { return initialNames_[static_cast<std::size_t>(kind)]; }

    /// The selected list (frame 0), when a list node is selected.
    std::optional<ImageRef> SelectedList() const;
    /// The selected picture: the selected list and the number its item shows.
    std::optional<ImageRef> SelectedPicture() const;
    /// The index of the selected sound.
    std::optional<std::int32_t> SelectedSound() const;

    QToolBar* ToolBar() const { return ToolBar1; }
    QTreeWidget* Tree() const { return TreeView1; }
    QListWidget* PictureView() const { return ListView1; }
    QListWidget* SoundView() const { return ListView2; }

private:
    void Build(const std::string& programFolder);
    void BuildToolBar();
    /// Asks with the dialog of `kind`; on OK that dialog remembers the name.
    QString Ask(FileDialogKind kind);
    /// The bytes of a chosen file, or nullopt after reporting why not.
    std::optional<std::vector<std::uint8_t>> ReadChosen(const QString& path);
    void ReportFailure(const QString& path, const std::string& reason);
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, std::int32_t index, int level);

    std::unique_ptr<ImageEditorHost> ownHost_;
    ImageEditorHost& host_;
    bool libraryChanged_ = false;
    std::array<QString, 4> initialNames_;
    std::array<QIcon, 13> icons_;  ///< the toolbar and tree icons
    QIcon soundIcon_;

    QToolBar* ToolBar1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QListWidget* ListView1 = nullptr;
    QFrame* Panel1 = nullptr;
    QListWidget* ListView2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
};

}  // namespace tavrine::ui
