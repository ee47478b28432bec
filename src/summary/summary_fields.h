#pragma once
// The summary as the dialogs edit it, and its way into and out of the
// SummaryBlock.
#include <cstddef>
#include <cstdint>
#include <string>

#include "profile/records.h"

namespace gd {

// Shown in an empty comment field and never stored.
inline constexpr char kCommentPlaceholder[] = "Please make some comments to describe this file.";

struct SummaryFields {
    std::string name;
    std::string game;
    std::string author;
    std::string comment;
    std::int32_t x = 0;  // width
    std::int32_t y = 0;  // height

    bool operator==(const SummaryFields&) const = default;
};

// The most characters each text may hold: its field's width in the block.
inline constexpr std::size_t kNameLimit = sizeof(SummaryBlock::name);        // 64
inline constexpr std::size_t kGameLimit = sizeof(SummaryBlock::game);        // 64
inline constexpr std::size_t kAuthorLimit = sizeof(SummaryBlock::author);    // 64
inline constexpr std::size_t kCommentLimit = sizeof(SummaryBlock::comment);  // 720

// Cuts each text to its limit; x and y are left alone.
void LimitTexts(SummaryFields& fields);

// x is the resolution shifted right by 16 with sign, y its low 16 bits.
SummaryFields FieldsFromSummary(const SummaryBlock& summary);
// Clears the block, copies each text cut to its field (a full field has no
// terminator) and sets resolution = x << 16 | (y & 0xFFFF). A comment equal
// to the placeholder is stored empty. True when the summary now reads
// differently from before (bytes after a text's terminator do not count).
bool StoreFields(const SummaryFields& fields, SummaryBlock& summary);

}  // namespace gd
