#include "app/model/profile_document.h"

#include <cstring>
#include <memory>
#include <utility>

#include "profile/image.h"
#include "profile/profile_file.h"

namespace gd {

// By value on purpose: see the declaration.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
bool ProfileDocument::SaveProfile(std::string path) {
    const std::vector<std::uint8_t> bytes = EncodeProfileFile(state_.image, state_.summary);
    if (!WriteFileAtomically(path, bytes.data(), bytes.size())) {
        currentPath_.clear();
        currentName_.clear();
        host_.ReportFileError(path);
        return false;
    }
    return true;
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): as SaveProfile.
bool ProfileDocument::LoadProfile(std::string path) {
    // Decode into scratch records so that a refused file leaves the user's
    // profile exactly as it was.
    auto image = std::make_unique<ProfileImage>();
    auto summary = std::make_unique<SummaryBlock>();
    const FileError error = ReadProfileFile(path, *image, *summary);
    if (error != FileError::None) {
        if (error == FileError::CannotOpen) {
            currentPath_.clear();
            currentName_.clear();
        }
        host_.ReportFileError(path);
        return false;
    }
    std::memcpy(&state_.image, image.get(), sizeof state_.image);
    std::memcpy(&state_.summary, summary.get(), sizeof state_.summary);
    host_.ShowSummary(state_.summary);
    return true;
}

void ProfileDocument::SetSource(std::string path, std::string name) {
    currentPath_ = std::move(path);
    currentName_ = std::move(name);
}

bool ProfileDocument::OpenProfile(const std::string& path, std::string name) {
    if (!LoadProfile(path)) {
        return false;
    }
    SetSource(path, std::move(name));
    host_.ShowProfileName(currentName_);
    return true;
}

bool ProfileDocument::LoadInstalledPackage() {
    std::memset(&state_.summary, 0, sizeof state_.summary);
    state_.summary.resolution = host_.PrimaryScreenResolution();
    ReadPackageFile(PackagePath(host_.WindowsDirectory(), host_.SystemFolders()), state_.image,
                    state_.summary);

    bool loadedFile = false;
    if (currentName_.empty()) {
        currentName_ = kDefaultProfileName;
    } else if (LoadProfile(currentPath_)) {
        loadedFile = true;
    } else {
        // What is shown is the package, not that file: a save must not go
        // over a file that was refused (another version, say) unasked.
        ClearSource();
    }
    host_.ShowProfileName(currentName_);
    // The summary window shows the profile in memory, whatever it held
    // before.
    host_.ShowSummary(state_.summary);
    return loadedFile;
}

void ProfileDocument::New(std::string untitledName) {
    SetSource({}, std::move(untitledName));
    ResetToEmpty();
    host_.ShowProfileName(currentName_);
    host_.ShowSummary(state_.summary);
}

void ProfileDocument::Import(const ProfileContent& content, std::string untitledName) {
    SetSource({}, std::move(untitledName));
    std::memcpy(&state_.image, &content.image, sizeof state_.image);
    std::memcpy(&state_.summary, &content.summary, sizeof state_.summary);
    host_.ShowProfileName(currentName_);
    host_.ShowSummary(state_.summary);
}

void ProfileDocument::ResetToEmpty() {
    ResetImage(state_.image);
    std::memset(&state_.summary, 0, sizeof state_.summary);
    state_.summary.resolution = host_.PrimaryScreenResolution();
}

}  // namespace gd
