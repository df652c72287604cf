#pragma once

#include "common/synchronize.h"
#include "shell/session.h"

// The engine as the window builds it, over both bundled dictionaries (Russian, then English),
// loaded on this thread and connected: what the benchmarks of the search by meaning run on.
// The thread that makes it becomes the UI thread.

namespace gryvel::bench {

struct TUiThreadFirst {
  TUiThreadFirst() { SetUiThread(); }
};

struct TBundledSession : TUiThreadFirst, TSession {
  TBundledSession();
};

}  // namespace gryvel::bench
