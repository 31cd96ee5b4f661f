// Async records: one overlapped transfer at a time, with its own event and, for a
// write, the record's own copy of the data.
#pragma once

#include "serial/port/SerialDevice.h"

#include <cstdint>
#include <memory>

namespace serial {

enum TAsyncKind : std::uint8_t { akWrite, akRead };

struct TPortAsync {
    TOverlapped Overlapped;
    TAsyncKind Kind = akWrite;
    std::unique_ptr<char[]> DataCopy; // the data of the last write started with this record
    std::int32_t DataSize = 0;
    TWaitEvent Event{true}; // the header's event: manual reset, created signalled
};
using PPortAsync = TPortAsync *;

// A new record: header zeroed, its event signalled, no data copy.
void NewAsync(PPortAsync &async);
// Releases the record (its event and data copy) and sets the pointer to null.
void FreeAsync(PPortAsync &async);

} // namespace serial
