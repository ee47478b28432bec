#include "keys/key_table.h"

#include "keys/key_names.h"

namespace gd {
namespace {

constexpr bool KeyEntriesAreDistinct() {
    for (int i = kKeyTableMouseEntries; i < kKeyTableSize; ++i) {
        for (int j = i + 1; j < kKeyTableSize; ++j) {
            if (kKeyTable[i] == kKeyTable[j]) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool EntriesFitTheKeyPart() {
    for (std::uint32_t entry : kKeyTable) {
        if ((entry & ~0x100FFu) != 0) {
            return false;
        }
    }
    return true;
}

// A duplicate would make one of two list rows unreachable by IsKnownKey's
// first match and give the editors two rows with the same name.
static_assert(KeyEntriesAreDistinct(), "a key appears twice in the key table");
static_assert(EntriesFitTheKeyPart(), "entries hold a scan code and at most the extended flag");

}  // namespace

int KeyTableSize() {
    return kKeyTableSize;
}

EventCode KeyTableCode(int index) {
    if (index < 0 || index >= kKeyTableSize) {
        return 0;
    }
    const std::uint32_t base = index < kKeyTableMouseEntries ? kMouseCodeBase : kKeyCodeBase;
    return base | kKeyTable[static_cast<std::size_t>(index)];
}

bool KeyTableName(int index, char* buffer, std::size_t size) {
    // Out of range gives code 0, which GetEventName refuses with a cleared buffer.
    return GetEventName(KeyTableCode(index), buffer, size);
}

int KeyTableIndexOf(EventCode code) {
    for (int index = 0; index < kKeyTableSize; ++index) {
        if (IsSameInput(KeyTableCode(index), code)) {
            return index;
        }
    }
    return -1;
}

bool IsKnownKey(EventCode code) {
    for (std::uint32_t entry : kKeyTable) {
        if (KeyPartOf(entry) == KeyPartOf(code)) {
            return true;
        }
    }
    return false;
}

}  // namespace gd
