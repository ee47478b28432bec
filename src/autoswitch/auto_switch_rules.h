#pragma once
// Rules that put a profile on the pad when a program comes to the front.
//
// A rule names either a program, by its file name in lower case without a
// folder ("racer.exe"), or a folder, by its full path ending in a backslash
// ("D:\Games\Racer\"), which covers every program under it. Its data is the
// profile file's full path. Rules of the kind WhileRunning keep their profile
// while the program's process runs; WhileInFront rules only while one of its
// windows is in front.
//
// Stored as string values, one per rule, under ...\AutoSwitch and
// ...\AutoSwitchFront beside the program's "default" settings section, where
// the DWORD AutoSwitch (non-zero: on, default off) switches the whole thing.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gd {

enum class RuleKind {
    WhileRunning,  // key AutoSwitch
    WhileInFront,  // key AutoSwitchFront
};

inline constexpr char kRulesKey[] = "AutoSwitch";
inline constexpr char kFrontRulesKey[] = "AutoSwitchFront";
inline constexpr char kSwitchingValue[] = "AutoSwitch";  // DWORD under "default"
// The longest rule name read back: a path's length. A longer one is refused,
// since no list, match or remove would see it.
inline constexpr std::size_t kLongestRuleName = 260;

// Where the rules and the on/off value are kept; the registry on Windows.
class RuleStorage {
  public:
    virtual ~RuleStorage() = default;
    // Every string value of the kind's key as (name, data); empty when the
    // key is missing.
    virtual std::vector<std::pair<std::string, std::string>> ReadValues(RuleKind kind) = 0;
    virtual bool WriteValue(RuleKind kind, const std::string& name, const std::string& data) = 0;
    // True when the value is gone afterwards, also when there was none.
    virtual bool DeleteValue(RuleKind kind, const std::string& name) = 0;
    virtual bool SwitchingOn() = 0;
    virtual bool SetSwitchingOn(bool on) = 0;
};

struct Rule {
    std::string name;     // "racer.exe" or "D:\Games\Racer\"
    std::string profile;  // full path of the profile file
    RuleKind kind = RuleKind::WhileRunning;

    bool IsFolder() const { return !name.empty() && name.back() == '\\'; }
    friend bool operator==(const Rule&, const Rule&) = default;
};

// ASCII only: Windows folds other letters by their code page, which a rule
// name typed for one machine need not share.
std::string LowerAscii(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// The lower-case file name of an image path ("C:\Games\Racer.exe" -> "racer.exe"),
// without the trailing dots and spaces the system drops.
std::string ProgramName(std::string_view imagePath);

// What a user typed, as a rule's name: text ending in a backslash or a slash,
// or in "." or "..", is a folder; anything else is a program and keeps its
// ProgramName. A folder's full path is kept as CanonicalPath
// (profile/windows_path.h) gives it, with one backslash at the end
// ("\\?\C:\Games." -> "C:\Games\"); a folder that is not a full path ("..\")
// keeps its text, with backslashes and one at the end. Empty when nothing
// names a program or folder.
std::string RuleName(std::string_view programOrFolder);

// Both keys' rules, by name; a name that both keys hold counts once, as the
// WhileRunning rule. Values with an empty name or data are left out.
std::vector<Rule> LoadRules(RuleStorage& storage);

// Nothing when the profile can be read, else the reason ("cannot be opened").
using ProfileCheck = std::function<std::optional<std::string>(const std::string& path)>;
// The profile file loader's verdict.
std::optional<std::string> CheckProfileFile(const std::string& path);

// What shows that a file changed: its size and last write time.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// Nothing when the file's stamp cannot be had (it is missing, say).
using FileStampSource = std::function<std::optional<FileStamp>(const std::string& path)>;

// `check`, asked once per file while the file's stamp stays the same: a game
// brought to the front again and again does not read its profile each time.
ProfileCheck RememberingCheck(ProfileCheck check, FileStampSource stamp);

// A refused edit: what it concerns (a profile, or "program") and why, for one line.
struct RuleRefusal {
    std::string subject;
    std::string reason;
};

// Adds or replaces the rule for `programOrFolder`; a rule of the other kind
// under the same name goes. Refused, with nothing written, when the name or
// the profile is empty, the name is a folder but not a full path, the name
// is longer than kLongestRuleName, or `check` finds the profile unreadable.
std::optional<RuleRefusal> AddRule(RuleStorage& storage, std::string_view programOrFolder,
                                   const std::string& profile, RuleKind kind,
                                   const ProfileCheck& check);
// Removes the rule of either kind with this name: the value named by the text
// itself if there is one, else the rule RuleName gives. False when none.
bool RemoveRule(RuleStorage& storage, std::string_view programOrFolder);

// The rule for a program's full image path: a program rule for its file
// name first (it names this very program), otherwise the folder rule with
// the longest folder that holds it. Both the path and the rules' names are
// compared in the form RuleName gives, so a name stored by hand in another
// form applies too; case is ignored, as Windows paths do. nullptr when none
// applies.
const Rule* MatchRule(const std::vector<Rule>& rules, std::string_view imagePath);

// A profile the user might want for a program: its path and its summary's Game text.
struct ProfileGame {
    std::string path;
    std::string game;
};

// The first profile whose Game text names the program: it appears in the
// window's title, or it holds the program's file name without its
// extension (at least three letters), case ignored. Empty Game texts name
// nothing. Nothing when no profile fits.
std::optional<std::string> SuggestProfile(const std::vector<ProfileGame>& profiles,
                                          std::string_view windowTitle,
                                          std::string_view programName);

}  // namespace gd
