#pragma once

#include <QAbstractListModel>
#include <cstdint>

namespace gryvel {
class TResultList;
}

namespace gryvel::gui {

// The search dialog's results as a list model: a row per result, its text made only when a
// view asks for it, so millions of results cost the view nothing until they are shown. The
// rows grow only when told (ShowCount), so the list moves with the counters beside it.
//
// Lifetime: the result list is borrowed; it must outlive the model or be replaced first.
class TResultListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TResultListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  // Shows `list` (borrowed, may be null) with no rows.
  void SetList(const TResultList* list);
  const TResultList* List() const { return FList; }
  // Shows the first `count` results. REQUIRES: count <= the list's Count.
  void ShowCount(std::int32_t count);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const TResultList* FList = nullptr;
  std::int32_t FRows = 0;
};

}  // namespace gryvel::gui
