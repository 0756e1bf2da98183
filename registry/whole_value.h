// Reading a value whole while another program may be writing it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "registry/registry_api.h"

namespace tilu {

// Reads of a value that keeps growing under another writer give up after this many.
inline constexpr int kReadAttempts = 4;

// Reads a whole value with `query(type, data, size)`, one call with RegQueryValueExW's contract:
// on kErrorMoreData the size comes back as the size needed (MSDN). The value may grow again before
// the next call, so the read is tried again with the new size, kReadAttempts times in all; a
// value that grows every time gives kErrorMoreData rather than an endless read. On any failure
// the type is kRegNone and there are no bytes.
template <class Query>
Status ReadWholeValue(Query query, Dword& type, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kFirstGuess = 256;
    bytes.resize(kFirstGuess);
    Status status = kErrorMoreData;
    for (int attempt = 0; attempt < kReadAttempts && status == kErrorMoreData; ++attempt) {
        Dword size = static_cast<Dword>(bytes.size());
        status = query(type, bytes.data(), size);
        bytes.resize(status == kErrorMoreData ? std::max<std::size_t>(size, bytes.size() * 2)
                                              : size);
    }
    if (status != kErrorSuccess) {
        bytes.clear();
        type = kRegNone;
    }
    return status;
}

}  // namespace tilu
