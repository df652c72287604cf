#pragma once

// What the reader fuzz targets share: silent messages and a load job over the input bytes.

#include <cstddef>
#include <cstdint>

#include "common/message_sink.h"
#include "dictionary/file_io.h"
#include "dictionary/load_job.h"

namespace gryvel::fuzzing {

// The readers show messages for bad input; the fuzzer only looks for crashes.
inline void SilenceMessages() {
  static const bool silenced =
      (SetMessageSink([](const TMessage&) { return TMessageAnswer::Ok; }), true);
  (void)silenced;
}

// A load job that reads the fuzz input as a file of that size.
struct TFuzzLoad {
  TFuzzLoad(const std::uint8_t* data, std::size_t size) : File(data, size) {
    SilenceMessages();
    Job.Entries = &Entries;
    Job.Descriptions = &Descriptions;
    Job.Head.FileSize = size;
  }

  TMemoryReadFile File;
  TArticleList Entries;
  TDescriptions Descriptions;
  TLoadJob Job;
};

}  // namespace gryvel::fuzzing
