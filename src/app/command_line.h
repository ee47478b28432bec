#pragma once
// What the program makes of its command line, and the forwarding of a
// command line from a second copy to the running one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gd {

// One leading and then one trailing double quote removed.
std::string StripQuotes(std::string_view text);

// What an installer passes when it starts the program after setup: a normal
// start, not a file to open.
inline constexpr std::string_view kInstallArgument = "install";

struct StartRequest {
    bool startHidden = false;  // "-1"
    std::string path;          // profile to open with backslashes, empty for none
    std::string name;          // its file-name part
};
StartRequest ParseCommandLine(std::string_view commandLine);

// The running copy collects a forwarded command line in a buffer this size.
inline constexpr std::size_t kForwardBufferSize = 512;

// Whether a second copy sends its command line after the start notice:
// not for "", "-1" or "install", and not when it would not fit the running
// copy's buffer with its terminator.
bool ShouldForwardCommandLine(std::string_view commandLine);

// One WM_USER+2 message: the character sign-extended, and
// (length << 16) | index.
struct ForwardedChar {
    std::intptr_t wParam;
    std::intptr_t lParam;
};
std::vector<ForwardedChar> EncodeForwardedCommandLine(std::string_view commandLine);

// The running copy's side: collects characters and yields the path, with
// backslashes as ParseCommandLine gives it, once the last one arrived.
// Characters beyond the buffer, or a text whose pieces did not all arrive,
// yield nothing.
class ForwardedCommandLine {
  public:
    std::optional<std::string> Receive(std::intptr_t wParam, std::intptr_t lParam);

  private:
    std::array<char, kForwardBufferSize> buffer_{};
    std::size_t received_ = 0;  // characters stored in order since index 0
    bool valid_ = false;
};

}  // namespace gd
