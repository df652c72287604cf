#pragma once

#include <cstdint>
#include <functional>

#include "common/event.h"

// The place of a word list in the whole dictionary and in the search result, each kept while
// the other is shown: switching between them brings back the top row and the selected entry
// the list had there. A new search's result opens at its top.
//
// Lifetime: borrows the source and the viewer; destroy it before either.

namespace gryvel {
class TResultSource;
}

namespace gryvel::gui {

class TKivViewer;

class TListPlaces {
 public:
  TListPlaces(TResultSource& source, TKivViewer& viewer);
  TListPlaces(const TListPlaces&) = delete;
  TListPlaces& operator=(const TListPlaces&) = delete;

  // Called after a switch has put the list at its place, with the position and its greatest
  // value (the owner moves its scroll bars; while the place is restored it must not).
  std::function<void(std::int32_t position, std::int32_t max)> OnPlaced;

  // The next result opens at its top, with nothing selected.
  void ForgetResultPlace() { FResults = {}; }
  // Whether a switch is putting the list at its place now.
  bool Restoring() const { return FRestoring; }
  // Whether the list shows the result (the last switch was to the result).
  bool ResultsShown() const { return FResultsShown; }

 private:
  struct TPlace {
    std::int32_t Top = 0;
    std::int32_t Selection = -1;
  };

  void Leave(bool to_results);
  void Arrive(bool at_results);

  TResultSource& FSource;
  TKivViewer& FViewer;
  TPlace FFullList;
  TPlace FResults;
  bool FResultsShown = false;
  bool FRestoring = false;
  TSubscriptions FHooks;
};

}  // namespace gryvel::gui
