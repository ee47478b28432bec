#include "gpxtool/command_line.h"

#include <functional>
#include <new>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "gpxtool/autoswitch.h"
#include "gpxtool/commands.h"
#include "gpxtool/picture.h"
#include "gpxtool/publish.h"

namespace gpxtool {

namespace {

struct Arguments {
    std::string file;
    std::string output;
    std::string image;
    std::string summary;
    std::vector<std::string> files;
    std::string rule;
    bool frontOnly = false;
};

// Subcommands and what each runs once its arguments are in place.
struct Command {
    CLI::App* app;
    std::function<int(Console&)> run;
};

void AddAutoSwitchCommands(CLI::App& app, Arguments& a, gd::RuleStorage& rules,
                           std::vector<Command>& commands) {
    CLI::App* group = app.add_subcommand("autoswitch", "Profiles that follow the program in front");
    group->require_subcommand(1, 1);
    const auto add = [&](const char* name, const char* help, std::function<int(Console&)> run) {
        commands.push_back({group->add_subcommand(name, help), std::move(run)});
        return commands.back().app;
    };
    add("list", "Show the rules and whether switching is on",
        [&rules](Console& c) { return ListRules(rules, c); });
    CLI::App* addRule =
        add("add", "Put PROFILE on the pad while PROGRAM-OR-FOLDER runs",
            [&a, &rules](Console& c) { return AddRule(rules, a.rule, a.file, a.frontOnly, c); });
    addRule->add_option("PROGRAM-OR-FOLDER", a.rule, "program file, or folder of programs")
        ->required();
    addRule->add_option("PROFILE", a.file, "profile file (.gpx)")->required();
    addRule->add_flag("--front", a.frontOnly, "only while one of its windows is in front");
    CLI::App* remove = add("remove", "Remove the rule of PROGRAM-OR-FOLDER",
                           [&a, &rules](Console& c) { return RemoveRule(rules, a.rule, c); });
    remove->add_option("PROGRAM-OR-FOLDER", a.rule, "program file, or folder of programs")
        ->required();
    add("on", "Switch profiles automatically",
        [&rules](Console& c) { return SetSwitching(rules, true, c); });
    add("off", "Stop switching profiles automatically",
        [&rules](Console& c) { return SetSwitching(rules, false, c); });
}

std::vector<Command> AddCommands(CLI::App& app, Arguments& a, gd::DriverHost* driverHost,
                                 gd::RuleStorage* rules) {
    std::vector<Command> commands;
    const auto add = [&](const char* name, const char* help, std::function<int(Console&)> run) {
        commands.push_back({app.add_subcommand(name, help), std::move(run)});
        return commands.back().app;
    };
    const auto input = [&](CLI::App* command, const char* name, const char* help) {
        command->add_option(name, a.file, help)->required();
    };
    const auto output = [&](CLI::App* command, const char* help) {
        return command->add_option("-o,--output", a.output, help);
    };

    CLI::App* info = add("info", "Show a profile's summary and what each M-Button shows",
                         [&](Console& c) { return Info(a.file, c); });
    input(info, "FILE", "profile file (.gpx) or driver package");

    CLI::App* exportCommand = add("export", "Write a profile as JSON",
                                  [&](Console& c) { return Export(a.file, a.output, c); });
    input(exportCommand, "FILE", "profile file (.gpx) or driver package");
    output(exportCommand, "JSON file to write (default: standard output)");

    CLI::App* import = add("import", "Build a profile file from its JSON form",
                           [&](Console& c) { return Import(a.file, a.output, c); });
    input(import, "JSON", "JSON file as export writes it");
    output(import, "profile file to write")->required();

    CLI::App* picture = add("picture", "Draw a profile's buttons and labels to print or post",
                            [&](Console& c) { return Picture(a.file, a.output, c); });
    input(picture, "FILE", "profile file (.gpx) or driver package");
    output(picture, "picture to write: .svg, or .png at 200 dpi")->required();

    CLI::App* unpack = add("unpack", "Write the raw image and SummaryBlock of a profile",
                           [&](Console& c) { return Unpack(a.file, a.image, a.summary, c); });
    input(unpack, "FILE", "profile file (.gpx) or driver package");
    unpack->add_option("--image", a.image, "150,560-byte image file to write")->required();
    unpack->add_option("--summary", a.summary, "924-byte SummaryBlock file to write")->required();

    CLI::App* pack = add("pack", "Build a profile file from a raw image and SummaryBlock",
                         [&](Console& c) { return Pack(a.image, a.summary, a.output, c); });
    pack->add_option("--image", a.image, "150,560-byte image file")->required();
    pack->add_option("--summary", a.summary, "924-byte SummaryBlock file")->required();
    output(pack, "profile file to write")->required();

    CLI::App* package = add("package", "Write the driver package for a profile",
                            [&](Console& c) { return Package(a.file, a.output, c); });
    input(package, "FILE", "profile file (.gpx)");
    output(package, "driver package to write")->required();

    CLI::App* compress = add("compress", "Compress a raw file as profile files do",
                             [&](Console& c) { return CompressFile(a.file, a.output, c); });
    input(compress, "RAW", "file to compress");
    output(compress, "compressed block to write")->required();

    CLI::App* expand = add("expand", "Expand a compressed block",
                           [&](Console& c) { return ExpandFile(a.file, a.output, c); });
    input(expand, "BLOCK", "compressed block");
    output(expand, "raw file to write")->required();

    CLI::App* check = add("check", "Tell whether each file loads soundly",
                          [&](Console& c) { return Check(a.files, c); });
    check->add_option("FILE", a.files, "profile files or driver packages")->required();

    if (driverHost) {
        CLI::App* publish =
            add("publish", "Hand a profile to the pad's driver as APPLY does",
                [&a, driverHost](Console& c) { return Publish(a.file, *driverHost, c); });
        input(publish, "FILE", "profile file (.gpx) or driver package");
        publish->footer(
            "Exit status: 0 the driver took the profile; 3 package and values written, but the "
            "pad or its driver is absent; 1 refused or not written.");

        add("install-driver", "Install the pad's driver from the installation folder",
            [driverHost](Console&) { return InstallDriver(*driverHost); })
            ->footer(
                "Reads InstallDir as \"Reinstall Driver\" does. Exit status: 0 installed; "
                "1 not installed.");
    }
    if (rules) {
        AddAutoSwitchCommands(app, a, *rules, commands);
    }
    return commands;
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   gd::DriverHost* driverHost, gd::RuleStorage* rules) {
    CLI::App app("Gripdeck profiles from the command line.", "gpxtool");
    app.require_subcommand(1, 1);
    Arguments arguments;
    const std::vector<Command> commands = AddCommands(app, arguments, driverHost, rules);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err) == 0 ? kExitSuccess : kExitUsage;
    }
    Console console{out, err};
    try {
        for (const Command& command : commands) {
            if (command.app->parsed()) {
                return command.run(console);
            }
        }
    } catch (const std::bad_alloc&) {
        err << "gpxtool: out of memory\n";
        return kExitRefused;
    }
    return kExitUsage;
}

}  // namespace gpxtool
