#pragma once
// Reading hand-editable JSON strictly: every refusal says where (line and
// column in text that is not JSON, else the JSON Pointer of the bad value)
// and why, and fields nobody asked for are refused rather than ignored, so a
// misspelt field cannot pass unseen.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "profile/profile_json.h"

namespace gd {

// Object fields keep their order, so exported files read top to bottom.
using Json = nlohmann::ordered_json;

class JsonInputError : public std::runtime_error {
  public:
    explicit JsonInputError(JsonProblem problem)
        : std::runtime_error(problem.Describe()), problem_(std::move(problem)) {}
    const JsonProblem& problem() const { return problem_; }

  private:
    JsonProblem problem_;
};

// Parses JSON text. Refuses syntax errors (with line and column), duplicate
// fields in an object and nesting deeper than any profile needs.
std::optional<JsonProblem> ParseJson(std::string_view text, Json& document);

namespace json {

// A value inside the document and the pointer that leads to it.
class Node {
  public:
    Node(const Json& value, std::string path) : value_(&value), path_(std::move(path)) {}

    const Json& value() const { return *value_; }
    const std::string& path() const { return path_; }
    Node Child(std::string_view key) const;
    Node Element(std::size_t index) const;
    [[noreturn]] void Fail(std::string reason) const;

  private:
    const Json* value_;
    std::string path_;
};

// Hands out an object's fields; Finish refuses the ones nobody took.
class ObjectReader {
  public:
    explicit ObjectReader(const Node& node);

    Node Required(std::string_view key);
    std::optional<Node> Optional(std::string_view key);
    // Fields written for people (names beside codes): accepted, not read.
    void Describes(std::initializer_list<std::string_view> keys);
    void Finish() const;

    const Node& node() const { return node_; }

  private:
    Node node_;
    std::vector<std::string> taken_;
};

// Whole numbers in [min, max].
std::uint32_t ReadUnsigned(const Node& node, std::uint32_t min, std::uint32_t max);
std::int32_t ReadSigned(const Node& node, std::int32_t min, std::int32_t max);
// A 32-bit word: "0x" and one to eight hex digits, or a whole number.
std::uint32_t ReadWord(const Node& node);
std::string ReadString(const Node& node);
// Pairs of hex digits, at least one pair.
std::vector<std::uint8_t> ReadHexBytes(const Node& node);
// An array of at most `maxCount` elements; `what` names them in the refusal.
std::vector<Node> ReadArray(const Node& node, std::size_t maxCount, std::string_view what);
// One of `names`; returns its index.
std::size_t ReadChoice(const Node& node, const std::vector<std::string_view>& names);

std::string HexWord(std::uint32_t value);                            // "0x0120001E"
std::string HexBytes(const std::uint8_t* bytes, std::size_t count);  // "0100FF"

}  // namespace json
}  // namespace gd
