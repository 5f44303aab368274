// The command line. Each option is one entry in the table in options.cpp,
// bound to the setting it fills, which lives with the part of the game that
// reads it; --help lists the table.
#pragma once

namespace tether {

enum class CommandLine {
    play, // the options are read: start the game
    answered, // --help or --version has printed its answer: end with status 0
    badUsage, // an unknown option or a bad value, explained on standard error: status 2
};

CommandLine readCommandLine(int argc, char** argv);

} // namespace tether
