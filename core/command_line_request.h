#pragma once
// What a `talvorin` command line asks for, when it asks for more than opening the window:
// listing the devices, setting what the pages set, and the settings files. The same parser
// reads the arguments in the process started from the terminal and, handed over the control
// socket, in the running instance, so both refuse the same things.
#include <QString>
#include <QStringList>

#include <optional>

struct CommandLineRequest {
    bool listDevices = false;

    // --gpu-effect with --color, --brightness, --speed and --gpu (-1: every card with lighting).
    QString gpuEffect;
    int red = 255;
    int green = 0;
    int blue = 0;
    int brightness = 255;
    int speed = 80;
    int gpuIndex = -1;

    std::optional<int> mouseProfile;  // 1 to 5
    std::optional<int> mouseDpiStage; // 1 to 5, within the stages the mouse uses
    std::optional<int> headsetOption; // the headset page's option: 1 to 7, 8 for off

    QString exportFile;
    QString importFile;

    bool isEmpty() const;
};

struct CommandLineParse {
    bool commandLine = false; // the arguments ask for the command line, not for the window
    bool help = false;
    QString error;            // why the arguments were refused; empty when they were taken
    CommandLineRequest request;
};

// `arguments` without the program name.
CommandLineParse parseCommandLine(const QStringList& arguments);
// True when the arguments name any command-line option (so no window is opened).
bool asksForCommandLine(const QStringList& arguments);
// The text of --help: every option, the exit statuses.
QString commandLineHelp();

// The headset page's options by name ("gaming", ... "custom3", "off") and back.
std::optional<int> headsetOptionByName(const QString& name);
QString headsetOptionName(int option);

// Exit statuses of the command line.
enum CommandLineStatus {
    kCommandWorked = 0,
    kCommandFailed = 1,      // a device was missing or did not take the setting; a file was refused
    kCommandLineInvalid = 2, // unknown option or a value out of range
    kInstanceUnreachable = 3 // a running instance did not answer
};
