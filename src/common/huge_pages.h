#pragma once

#include <cstddef>

// Large buffers that are filled once, quickly (the text of a word list while it loads, its
// sort keys), cost more in page faults than in the filling: backing them with huge pages
// where the system offers them on request saves most of that.

namespace gryvel {

// Asks for huge pages for the whole 2 MiB blocks inside [data, data + size); does nothing for
// smaller buffers or where the system does not offer them. Call before the buffer is touched.
void AdviseHugePages(void* data, std::size_t size);

}  // namespace gryvel
