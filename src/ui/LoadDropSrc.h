// The saved-item browser: lists the item files of one slot kind in the realm's items directory
// and previews a clicked file before it is loaded into the current slot.
#pragma once

#include <QDialog>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace gw {
struct PreviewTexts;
}

class TItemBrowser : public QDialog {
    Q_OBJECT

public:
    explicit TItemBrowser(QWidget* parent = nullptr);

    // The caller's preparation before each use, in this order: mask and directory (the list is
    // re-read), the realm keyword, no selection and the preview reset.
    void SetMask(const std::string& mask);
    void SetDirectory(const std::filesystem::path& directory);
    void SetRealmKeyword(const std::string& keyword);
    void ClearSelection();
    void ResetPreview();
    // All five steps at once.
    void Prepare(const std::filesystem::path& directory, const std::string& mask,
                 const std::string& realmKeyword);

    // The listed directory plus the selected name; empty when nothing is selected.
    std::filesystem::path SelectedPath() const;
    const std::filesystem::path& Directory() const { return m_directory; }
    const std::string& Mask() const { return m_mask; }
    const std::string& RealmKeyword() const { return m_realmKeyword; }

    QListWidget* FileList = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* ItemName = nullptr;
    QLabel* ItemLevel = nullptr;
    QLabel* ItemUtility = nullptr;
    QLabel* ItemDPS = nullptr;
    QLabel* ItemSpeed = nullptr;
    QLabel* ItemQuality = nullptr;
    QLabel* ItemBonus = nullptr;
    std::array<QLabel*, 4> ItemEffect{};
    QPushButton* ItemLoad = nullptr;
    QPushButton* ItemCancel = nullptr;

public slots:
    void FileListClick();
    void FileListDblClick();

private:
    void rereadList();
    void showPreview(const gw::PreviewTexts& texts);

    std::filesystem::path m_directory;
    std::string m_mask = "*.chest";
    std::string m_realmKeyword = "albion";
    // The names as the directory holds them, in list order: the path opened is built from these
    // bytes, never from the displayed text.
    std::vector<std::filesystem::path> m_entries;
    QLabel* m_listNote = nullptr;
};

namespace gw {
// True when a file name matches a list mask: '*' any run of characters, '?' one, letters
// compared without regard to ASCII case, so "Sword.WEAPON" is listed with the weapons.
bool MatchesFileMask(std::string_view name, std::string_view mask);
// The names in `directory` that match `mask`, sorted as the list shows them. `exists` tells
// whether the directory could be read at all.
std::vector<std::filesystem::path> ListMatchingFiles(const std::filesystem::path& directory,
                                                     std::string_view mask, bool* exists = nullptr);
} // namespace gw
