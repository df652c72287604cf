#include "gui/widgets/list_places.h"

#include "gui/widgets/kiv_viewer.h"
#include "results/result_source.h"

namespace gryvel::gui {

TListPlaces::TListPlaces(TResultSource& source, TKivViewer& viewer)
    : FSource(source), FViewer(viewer) {
  FHooks += FSource.OnBeforeFilterActivated.Subscribe([this](TResultSource&) { Leave(true); });
  FHooks += FSource.OnAfterFilterActivated.Subscribe([this](TResultSource&) { Arrive(true); });
  FHooks += FSource.OnBeforeFilterDeactivated.Subscribe([this](TResultSource&) { Leave(false); });
  FHooks += FSource.OnAfterFilterDeactivated.Subscribe([this](TResultSource&) { Arrive(false); });
}

// The place of what is shown is kept when the other list comes; a switch from the result to a
// new result keeps the whole list's place as it was saved.
void TListPlaces::Leave(bool to_results) {
  FRestoring = true;
  if (FResultsShown == to_results) return;
  TPlace& place = FResultsShown ? FResults : FFullList;
  place = {FViewer.TopIndex(), FViewer.SelItem()};
}

void TListPlaces::Arrive(bool at_results) {
  const TPlace& place = at_results ? FResults : FFullList;
  FViewer.SetTopIndex(place.Top);
  FViewer.SetSelItem(place.Selection);
  FRestoring = false;
  FResultsShown = at_results;
  if (OnPlaced) OnPlaced(FViewer.TopIndex(), FViewer.MaxTop());
}

}  // namespace gryvel::gui
