#include "ui/LoadDropSrc.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <system_error>

#include "data/Globals.h"
#include "io/ItemFiles.h"
#include "io/WideText.h"
#include "model/Preview.h"
#include "ui/PathText.h"
#include "ui/Text.h"

namespace gw {

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool MatchesFileMask(std::string_view name, std::string_view mask)
{
    // Iterative wildcard match with one back-track point: linear for the "*.ext" masks in use.
    std::size_t n = 0, m = 0;
    std::size_t starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || FoldAscii(mask[m]) == FoldAscii(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::vector<std::filesystem::path> ListMatchingFiles(const std::filesystem::path& directory,
                                                     std::string_view mask, bool* exists)
{
    struct Entry {
        std::string key; // ASCII-folded name: the list reads A to Z whatever the case
        std::string name;
        std::filesystem::path path; // as listed, so that even a name UTF-8 cannot hold opens
    };
    std::vector<Entry> found;
    std::error_code ec;
    std::filesystem::directory_iterator it(directory, ec);
    if (exists != nullptr)
        *exists = !ec;
    if (ec)
        return {};
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::string name = PathToUtf8(it->path().filename());
        if (!MatchesFileMask(name, mask))
            continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(), FoldAscii);
        found.push_back({std::move(key), std::move(name), it->path().filename()});
    }
    std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
        return a.key != b.key ? a.key < b.key : a.name < b.name;
    });
    std::vector<std::filesystem::path> names;
    names.reserve(found.size());
    for (auto& e : found)
        names.push_back(std::move(e.path));
    return names;
}

} // namespace gw

namespace {

QLabel* AddLabel(QWidget* parent, const char* objectName, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

QLabel* AddValue(QWidget* parent, const char* objectName, const QString& text)
{
    QLabel* label = AddLabel(parent, objectName, text);
    // A long name or string must not widen the dialog; it is cut at the panel's edge.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(40);
    return label;
}

} // namespace

TItemBrowser::TItemBrowser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ItemBrowser"));
    setWindowTitle(tr("Load Drop"));
    setModal(true);

    FileList = new QListWidget(this);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->setUniformItemSizes(true); // keeps a list of thousands of names instant
    FileList->setSelectionMode(QAbstractItemView::SingleSelection);
    FileList->setMinimumWidth(225);

    m_listNote = new QLabel(this);
    m_listNote->setObjectName(QStringLiteral("ListNote"));
    m_listNote->setWordWrap(true);
    m_listNote->setContentsMargins(6, 4, 6, 4);
    m_listNote->hide();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedWidth(203);

    ItemName = AddValue(Panel1, "ItemName", tr("none"));
    QFont bold = ItemName->font();
    bold.setBold(true);
    ItemName->setFont(bold);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(AddLabel(Panel1, "Label1", tr("Level:")), 0, 0);
    grid->addWidget(ItemLevel = AddValue(Panel1, "ItemLevel", QStringLiteral("0")), 0, 1);
    grid->addWidget(AddLabel(Panel1, "Label3", tr("Utility:")), 0, 2);
    grid->addWidget(ItemUtility = AddValue(Panel1, "ItemUtility", QStringLiteral("0")), 0, 3);
    grid->addWidget(AddLabel(Panel1, "Label2", tr("af/dps:")), 1, 0);
    grid->addWidget(ItemDPS = AddValue(Panel1, "ItemDPS", QStringLiteral("0")), 1, 1);
    grid->addWidget(AddLabel(Panel1, "Label6", tr("spd:")), 1, 2);
    grid->addWidget(ItemSpeed = AddValue(Panel1, "ItemSpeed", QStringLiteral("0")), 1, 3);
    grid->addWidget(AddLabel(Panel1, "Label5", tr("Qual:")), 2, 0);
    grid->addWidget(ItemQuality = AddValue(Panel1, "ItemQuality", QStringLiteral("0")), 2, 1);
    grid->addWidget(AddLabel(Panel1, "Label7", tr("Bonus:")), 2, 2);
    grid->addWidget(ItemBonus = AddValue(Panel1, "ItemBonus", QStringLiteral("0")), 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* effects = new QGridLayout;
    effects->setHorizontalSpacing(6);
    effects->setVerticalSpacing(6);
    static const char* const effectLabels[4] = {"Label9", "Label10", "Label11", "Label12"};
    static const char* const effectValues[4] = {"ItemEffect1", "ItemEffect2", "ItemEffect3", "ItemEffect4"};
    for (int k = 0; k < 4; ++k) {
        effects->addWidget(AddLabel(Panel1, effectLabels[k], tr("Effect %1:").arg(k + 1)), k, 0);
        ItemEffect[static_cast<std::size_t>(k)] = AddValue(Panel1, effectValues[k], tr("none"));
        effects->addWidget(ItemEffect[static_cast<std::size_t>(k)], k, 1);
    }
    effects->setColumnStretch(1, 1);

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    ItemLoad = new QPushButton(tr("Load"), Panel2);
    ItemLoad->setObjectName(QStringLiteral("ItemLoad"));
    ItemLoad->setDefault(true);
    ItemCancel = new QPushButton(tr("Cancel"), Panel2);
    ItemCancel->setObjectName(QStringLiteral("ItemCancel"));
    auto* buttons = new QHBoxLayout(Panel2);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(ItemLoad);
    buttons->addWidget(ItemCancel);

    auto* panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(8, 10, 8, 8);
    panel->addWidget(ItemName);
    panel->addSpacing(8);
    panel->addLayout(grid);
    panel->addSpacing(12);
    panel->addLayout(effects);
    panel->addStretch(1);
    panel->addWidget(Panel2);

    auto* left = new QVBoxLayout;
    left->addWidget(FileList, 1);
    left->addWidget(m_listNote);

    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addLayout(left, 1);
    top->addWidget(Panel1);

    resize(436, 272);

    connect(ItemLoad, &QPushButton::clicked, this, &QDialog::accept);
    connect(ItemCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A click, or the arrow keys moving the selection, previews the file now selected.
    connect(FileList, &QListWidget::itemSelectionChanged, this, &TItemBrowser::FileListClick);
    connect(FileList, &QListWidget::itemDoubleClicked, this, &TItemBrowser::FileListDblClick);
}

void TItemBrowser::SetMask(const std::string& mask)
{
    m_mask = mask;
}

void TItemBrowser::SetDirectory(const std::filesystem::path& directory)
{
    m_directory = directory;
    rereadList();
}

void TItemBrowser::SetRealmKeyword(const std::string& keyword)
{
    m_realmKeyword = keyword;
}

void TItemBrowser::ClearSelection()
{
    const QSignalBlocker quiet(FileList);
    FileList->setCurrentRow(-1);
    FileList->clearSelection();
}

void TItemBrowser::ResetPreview()
{
    showPreview(gw::EmptyPreview());
}

void TItemBrowser::Prepare(const std::filesystem::path& directory, const std::string& mask,
                           const std::string& realmKeyword)
{
    SetMask(mask);
    SetDirectory(directory);
    SetRealmKeyword(realmKeyword);
    ClearSelection();
    ResetPreview();
}

std::filesystem::path TItemBrowser::SelectedPath() const
{
    const QList<QListWidgetItem*> selected = FileList->selectedItems();
    if (selected.isEmpty())
        return {};
    const int row = FileList->row(selected.first());
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size())
        return {};
    return m_directory / m_entries[static_cast<std::size_t>(row)];
}

void TItemBrowser::rereadList()
{
    bool exists = false;
    m_entries = gw::ListMatchingFiles(m_directory, m_mask, &exists);
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const auto& entry : m_entries)
        names.append(gw::TextOfPath(entry));

    const QSignalBlocker quiet(FileList);
    FileList->clear();
    FileList->addItems(names);

    // Where there is nothing to list, say why instead of showing a blank box.
    if (!exists) {
        m_listNote->setText(tr("No saved items: the folder %1 does not exist.")
                                .arg(gw::TextOfPath(m_directory)));
        m_listNote->show();
    } else if (m_entries.empty()) {
        m_listNote->setText(
            tr("No saved %1 items in this realm yet.").arg(QString::fromStdString(m_mask)));
        m_listNote->show();
    } else {
        m_listNote->hide();
    }
}

void TItemBrowser::showPreview(const gw::PreviewTexts& texts)
{
    const QString name = FromCp1252(texts.name);
    ItemName->setText(name);
    ItemName->setToolTip(name);
    ItemLevel->setText(FromCp1252(texts.level));
    ItemUtility->setText(FromCp1252(texts.utility));
    ItemDPS->setText(FromCp1252(texts.dps));
    ItemSpeed->setText(FromCp1252(texts.speed));
    ItemQuality->setText(FromCp1252(texts.quality));
    ItemBonus->setText(FromCp1252(texts.bonus));
    for (std::size_t k = 0; k < ItemEffect.size(); ++k)
        ItemEffect[k]->setText(FromCp1252(texts.effects[k]));
}

void TItemBrowser::FileListClick()
{
    const std::filesystem::path path = SelectedPath();
    if (path.empty())
        return;
    const int realm = gw::BoundRealm(gw::RealmOfKeyword(m_realmKeyword));
    gw::GWItem item;
    const gw::ReadOutcome outcome = gw::LoadItemFile(path, item, realm);
    if (!outcome.ok()) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(outcome.message),
                              QMessageBox::Abort);
        // A file that cannot be opened leaves the preview as it was. A refused record shows the
        // cleared item it was read into, so no other file's figures stand beside its name.
        if (outcome.status == gw::ReadStatus::Unreadable)
            return;
    }
    showPreview(gw::PreviewOf(item, realm));
}

void TItemBrowser::FileListDblClick()
{
    if (!SelectedPath().empty())
        accept();
}
