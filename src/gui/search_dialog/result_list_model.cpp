#include "gui/search_dialog/result_list_model.h"

#include "gui/text.h"
#include "solvers/result_list.h"

namespace gryvel::gui {

void TResultListModel::SetList(const TResultList* list) {
  beginResetModel();
  FList = list;
  FRows = 0;
  endResetModel();
}

void TResultListModel::ShowCount(std::int32_t count) {
  if (count == FRows) return;
  if (count < FRows) {
    beginResetModel();
    FRows = count;
    endResetModel();
    return;
  }
  beginInsertRows({}, FRows, count - 1);
  FRows = count;
  endInsertRows();
}

int TResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FRows;
}

QVariant TResultListModel::data(const QModelIndex& index, int role) const {
  if (FList == nullptr || !index.isValid() || index.row() >= FRows) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  return ToQString(FList->Text(index.row()));
}

}  // namespace gryvel::gui
