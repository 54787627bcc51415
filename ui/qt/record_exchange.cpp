#include "ui/qt/record_exchange.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace zenko {
namespace {

constexpr const char* ChooseText = "開く対局を選んで下さい";
// The columns: caption and width in characters of the list's font.
struct Column {
    const char* caption;
    int characters;
};
constexpr Column Columns[] = {{"番号", 5}, {"赤", 14}, {"黒", 14}, {"対局名", 22}, {"結果", 8}};
constexpr int ListWidthCharacters = 70, ListRows = 16;

// A file may hold thousands of games: the list reads them from the vector
// as rows are shown, instead of making an item of each.
class GameListModel : public QAbstractTableModel {
public:
    explicit GameListModel(const std::vector<GameListing>& games) : games_(games) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(games_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(std::size(Columns));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const GameListing& game = games_[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
            case 0:
                return index.row() + 1;
            case 1:
                return QString::fromStdString(game.red);
            case 2:
                return QString::fromStdString(game.black);
            case 3:
                return QString::fromStdString(game.event);
            default:
                return QString::fromStdString(game.result);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        return QString::fromUtf8(Columns[section].caption);
    }

private:
    const std::vector<GameListing>& games_;
};

}  // namespace

int QtGameChooser::choose_game(const std::string& source, const std::vector<GameListing>& games) {
    QDialog dialog(owner_);
    dialog.setWindowTitle(QString::fromStdString(source));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QString::fromUtf8(ChooseText), &dialog));
    GameListModel model(games);
    auto* list = new QTableView(&dialog);
    list->setModel(&model);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    const int character = list->fontMetrics().horizontalAdvance(QChar(0x56FD));  // a full-width character
    for (int i = 0; i < static_cast<int>(std::size(Columns)); ++i)
        list->setColumnWidth(i, Columns[i].characters * character / 2);
    list->setMinimumSize(ListWidthCharacters * character / 2,
                         ListRows * list->verticalHeader()->defaultSectionSize());
    list->selectRow(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QTableView::doubleClicked, &dialog, &QDialog::accept);
    list->setFocus();
    if (dialog.exec() != QDialog::Accepted) return -1;
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::string QtClipboard::text() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtClipboard::set_text(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace zenko
