#include "gpxtool/commands.h"

#include <cstring>

#include "app/slot_label.h"
#include "gpxtool/profile_input.h"
#include "profile/ansi_text.h"
#include "profile/codec.h"
#include "profile/file_replace.h"
#include "profile/image.h"
#include "profile/json_input.h"
#include "profile/profile_file.h"
#include "profile/profile_json.h"
#include "profile/profile_json_schema.h"

namespace gpxtool {

namespace {

constexpr std::size_t kLabelColumn = 24;

// Refusals are one line, whatever a path or a JSON key holds.
std::string OneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        line += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    return line;
}

// Writes an output's new contents beside it; it replaces the output only at
// Commit, so that several outputs change together or not at all.
bool StageOutput(Console& console, gd::StagedFile& output, const void* data, std::size_t size) {
    if (!output.Write(data, size)) {
        Refuse(console, output.target(),
               output.TargetRefused() ? "is not a regular file, not replaced"
                                      : gd::DescribeFileError(gd::FileError::WriteFailed));
        return false;
    }
    return true;
}

bool CommitOutput(Console& console, gd::StagedFile& output) {
    if (!output.Commit()) {
        Refuse(console, output.target(), gd::DescribeFileError(gd::FileError::WriteFailed));
        return false;
    }
    return true;
}

bool WriteOutput(Console& console, const std::string& path, const void* data, std::size_t size) {
    gd::StagedFile output(path);
    return StageOutput(console, output, data, size) && CommitOutput(console, output);
}

template <typename Bytes>
int WriteResult(Console& console, const std::string& path, const Bytes& bytes) {
    return WriteOutput(console, path, bytes.data(), bytes.size()) ? kExitSuccess : kExitRefused;
}

// A raw record file must be exactly the record's size.
bool ReadRecordFile(Console& console, const std::string& path, void* record, std::size_t size,
                    const char* what) {
    std::vector<std::uint8_t> data;
    std::string reason;
    if (!ReadInputFile(path, kMaxInputFile, data, reason)) {
        Refuse(console, path, reason);
        return false;
    }
    if (data.size() != size) {
        Refuse(console, path,
               std::string(what) + " has " + std::to_string(size) + " bytes, this file has " +
                   std::to_string(data.size()));
        return false;
    }
    std::memcpy(record, data.data(), size);
    return true;
}

bool LoadProfile(Console& console, const std::string& path, LoadedProfile& profile) {
    std::string reason;
    if (!LoadProfileInput(path, profile, reason)) {
        Refuse(console, path, reason);
        return false;
    }
    return true;
}

// Summary texts for a terminal: UTF-8, control characters as spaces.
std::string Printable(std::string_view ansi) {
    std::string text = gd::AnsiToUtf8(ansi);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return text;
}

void PrintComment(std::ostream& out, const std::string& comment) {
    out << "Comment:    ";
    std::size_t start = 0;
    while (true) {
        std::size_t end = comment.find('\n', start);
        std::string line = comment.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        out << Printable(line) << '\n';
        if (end == std::string::npos) {
            break;
        }
        out << "            ";
        start = end + 1;
    }
}

void PrintButton(std::ostream& out, int slotIndex, const gd::ButtonSlot& slot) {
    std::string line = gd::json::ButtonName(slotIndex);
    line.resize(5, ' ');
    const gd::SlotLabel label = gd::LabelForSlot(slot);
    if (label.leaveAsIs) {
        line += "(label left as is: slot type " + gd::json::HexWord(slot.slotType) + ")";
    } else {
        line += Printable(label.text);
        if (label.toolTip) {
            line.resize(std::max(line.size() + 2, std::size_t{5} + kLabelColumn), ' ');
            line += Printable(*label.toolTip);
        }
    }
    out << line << '\n';
}

const char* DescribeExpandStatus(gd::ExpandStatus status) {
    switch (status) {
        case gd::ExpandStatus::Ok:
            return "ok";
        case gd::ExpandStatus::TruncatedHeader:
            return "block is shorter than its header";
        case gd::ExpandStatus::BadSymbol:
            return "a run names a symbol the dictionary lacks";
        case gd::ExpandStatus::TooLarge:
            break;
    }
    return "expands to more than gpxtool writes";
}

}  // namespace

int Refuse(Console& console, const std::string& file, const std::string& reason) {
    console.err << "gpxtool: " << OneLine(file) << ": " << OneLine(reason) << '\n';
    return kExitRefused;
}

int Info(const std::string& file, Console& console) {
    LoadedProfile profile;
    if (!LoadProfile(console, file, profile)) {
        return kExitRefused;
    }
    const gd::SummaryBlock& summary = profile.summary;
    std::ostream& out = console.out;
    out << "File:       " << OneLine(file) << " (" << DescribeSource(profile.source) << ")\n";
    out << "Name:       " << Printable(gd::ReadText(summary.name)) << '\n';
    out << "Game:       " << Printable(gd::ReadText(summary.game)) << '\n';
    out << "Author:     " << Printable(gd::ReadText(summary.author)) << '\n';
    PrintComment(out, gd::ReadText(summary.comment));
    out << "Resolution: " << gd::ResolutionWidth(summary.resolution) << 'x'
        << gd::ResolutionHeight(summary.resolution) << '\n';
    for (int i = 0; i < gd::kButtonCount; ++i) {
        PrintButton(out, i, profile.image->slots[i]);
    }
    return kExitSuccess;
}

int Export(const std::string& file, const std::string& output, Console& console) {
    LoadedProfile profile;
    if (!LoadProfile(console, file, profile)) {
        return kExitRefused;
    }
    if (output.empty()) {
        console.out << gd::ProfileJsonText(*profile.image, profile.summary);
        return console.out.flush() ? kExitSuccess
                                   : Refuse(console, "standard output", "cannot be written");
    }
    // The program's File > Export... writes through the same function.
    if (const std::optional<std::string> reason =
            gd::WriteProfileJsonFile(output, *profile.image, profile.summary)) {
        return Refuse(console, output, *reason);
    }
    return kExitSuccess;
}

int Import(const std::string& json, const std::string& output, Console& console) {
    LoadedProfile profile;
    if (const std::optional<std::string> reason =
            gd::ReadProfileJsonFile(json, *profile.image, profile.summary)) {
        return Refuse(console, json, *reason);
    }
    return WriteResult(console, output, gd::EncodeProfileFile(*profile.image, profile.summary));
}

int Unpack(const std::string& file, const std::string& image, const std::string& summary,
           Console& console) {
    LoadedProfile profile;
    if (!LoadProfile(console, file, profile)) {
        return kExitRefused;
    }
    // Both files are written before either is replaced: a refused second
    // output leaves the first as it was.
    gd::StagedFile imageOutput(image);
    gd::StagedFile summaryOutput(summary);
    const bool written =
        StageOutput(console, imageOutput, profile.image.get(), sizeof *profile.image) &&
        StageOutput(console, summaryOutput, &profile.summary, sizeof profile.summary) &&
        CommitOutput(console, imageOutput) && CommitOutput(console, summaryOutput);
    return written ? kExitSuccess : kExitRefused;
}

int Pack(const std::string& image, const std::string& summary, const std::string& output,
         Console& console) {
    LoadedProfile profile;
    if (!ReadRecordFile(console, image, profile.image.get(), sizeof *profile.image,
                        "a profile image") ||
        !ReadRecordFile(console, summary, &profile.summary, sizeof profile.summary,
                        "a SummaryBlock")) {
        return kExitRefused;
    }
    return WriteResult(console, output, gd::EncodeProfileFile(*profile.image, profile.summary));
}

int Package(const std::string& file, const std::string& output, Console& console) {
    LoadedProfile profile;
    if (!LoadProfile(console, file, profile)) {
        return kExitRefused;
    }
    return WriteResult(console, output, gd::EncodePackage(*profile.image, profile.summary));
}

int CompressFile(const std::string& raw, const std::string& output, Console& console) {
    std::vector<std::uint8_t> data;
    std::string reason;
    if (!ReadInputFile(raw, kMaxInputFile, data, reason)) {
        return Refuse(console, raw, reason);
    }
    std::vector<std::uint8_t> block;
    if (!gd::Compress(data.data(), data.size(), gd::kProfileLengthBits, nullptr, 0, 0, block)) {
        return Refuse(console, raw, "cannot be compressed");
    }
    return WriteResult(console, output, block);
}

int ExpandFile(const std::string& block, const std::string& output, Console& console) {
    std::vector<std::uint8_t> data;
    std::string reason;
    if (!ReadInputFile(block, kMaxInputFile, data, reason)) {
        return Refuse(console, block, reason);
    }
    std::vector<std::uint8_t> raw;
    const gd::ExpandStatus status = gd::Expand(data.data(), data.size(), kMaxInputFile, raw);
    if (status == gd::ExpandStatus::TooLarge) {
        std::uint32_t rawLength = 0;
        gd::ReadRawLength(data.data(), data.size(), rawLength);
        return Refuse(console, block,
                      "expands to " + std::to_string(rawLength) + " bytes, more than the " +
                          std::to_string(kMaxInputFile >> 20) + " MiB gpxtool writes");
    }
    if (status != gd::ExpandStatus::Ok) {
        return Refuse(console, block, DescribeExpandStatus(status));
    }
    return WriteResult(console, output, raw);
}

int Check(const std::vector<std::string>& files, Console& console) {
    int status = kExitSuccess;
    for (const std::string& file : files) {
        LoadedProfile profile;
        std::string reason;
        if (LoadProfileInput(file, profile, reason)) {
            console.out << OneLine(file) << ": ok (" << DescribeSource(profile.source) << ")\n";
        } else {
            status = Refuse(console, file, reason);
        }
    }
    return status;
}

}  // namespace gpxtool
