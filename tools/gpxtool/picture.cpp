#include "gpxtool/picture.h"

#include <algorithm>
#include <cctype>

#include "gpxtool/profile_input.h"
#include "picture/picture_model.h"
#include "picture/picture_raster.h"
#include "picture/png_writer.h"
#include "picture/svg_writer.h"
#include "profile/file_replace.h"
#include "profile/profile_file.h"

namespace gpxtool {

namespace {

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return "";
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

int Write(Console& console, const std::string& path, const void* data, std::size_t size) {
    gd::StagedFile output(path);
    if (!output.Write(data, size) || !output.Commit()) {
        return Refuse(console, path,
                      output.TargetRefused() ? "is not a regular file, not replaced"
                                             : gd::DescribeFileError(gd::FileError::WriteFailed));
    }
    return kExitSuccess;
}

}  // namespace

int Picture(const std::string& file, const std::string& output, Console& console) {
    const std::string extension = LowerExtension(output);
    if (extension != "svg" && extension != "png") {
        console.err << "gpxtool: " << output << ": the picture's name must end in .svg or .png\n";
        return kExitUsage;
    }
    LoadedProfile profile;
    std::string reason;
    if (!LoadProfileInput(file, profile, reason)) {
        return Refuse(console, file, reason);
    }
    const gd::Picture picture = gd::BuildPicture(*profile.image, profile.summary);
    if (extension == "svg") {
        const std::string svg = gd::PictureToSvg(picture);
        return Write(console, output, svg.data(), svg.size());
    }
    const std::vector<std::uint8_t> png =
        gd::EncodePng(gd::RenderPicture(picture, gd::kPictureDotsPerInch));
    return Write(console, output, png.data(), png.size());
}

}  // namespace gpxtool
