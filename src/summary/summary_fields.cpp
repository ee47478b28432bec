#include "summary/summary_fields.h"

#include <cstring>

#include "profile/image.h"

namespace gd {

void LimitTexts(SummaryFields& fields) {
    const auto cut = [](std::string& text, std::size_t limit) {
        if (text.size() > limit) {
            text.resize(limit);
        }
    };
    cut(fields.name, kNameLimit);
    cut(fields.game, kGameLimit);
    cut(fields.author, kAuthorLimit);
    cut(fields.comment, kCommentLimit);
}

SummaryFields FieldsFromSummary(const SummaryBlock& summary) {
    SummaryFields fields;
    fields.name = ReadText(summary.name);
    fields.game = ReadText(summary.game);
    fields.author = ReadText(summary.author);
    fields.comment = ReadText(summary.comment);
    fields.x = ResolutionWidth(summary.resolution);
    fields.y = ResolutionHeight(summary.resolution);
    return fields;
}

bool StoreFields(const SummaryFields& fields, SummaryBlock& summary) {
    const SummaryFields before = FieldsFromSummary(summary);
    std::memset(&summary, 0, sizeof summary);
    WriteText(summary.name, fields.name);
    WriteText(summary.game, fields.game);
    WriteText(summary.author, fields.author);
    WriteText(summary.comment, fields.comment == kCommentPlaceholder ? "" : fields.comment);
    summary.resolution = (static_cast<std::uint32_t>(fields.x) << 16) |
                         (static_cast<std::uint32_t>(fields.y) & 0xFFFF);
    return FieldsFromSummary(summary) != before;
}

}  // namespace gd
