#include "bundled_session.h"

namespace gryvel::bench {

TBundledSession::TBundledSession() {
  TKivDictionaries all;
  for (const char* file : {GRYVEL_BUNDLED_DIRECTORY "/dictionary.kiv",
                           GRYVEL_BUNDLED_DIRECTORY "/english.kiv"})
    all.push_back(Collection.Dictionary(Collection.AddDictionary(file)));
  // The result source lays the list out once, after both.
  Source.BeginUpdate();
  Collection.LoadNow(all);
  for (TKivDictionary* dictionary : all) Collection.Connect(*dictionary);
  Source.EndUpdate();
}

}  // namespace gryvel::bench
