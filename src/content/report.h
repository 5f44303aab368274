// What a reader of content meets, for the map checker. The game reads its
// files without a report and prints nothing about them; the checker reads
// the same files with the same readers through a report, which counts lines
// and collects each record and each problem with its line.
#pragma once

#include <istream>
#include <streambuf>
#include <string>
#include <vector>

namespace tether {

struct ContentNote {
    int line = 0; // 0: the whole file
    bool error = true; // errors break the level; warnings are worth a look
    std::string message;
};

// One record as the reader took it: the keyword, its line, and the values it
// read in order (numbers as read; words such as image paths and map names).
struct ContentRecord {
    std::string keyword;
    int line = 0;
    std::vector<float> numbers;
    std::vector<std::string> words;
};

// Passes another stream buffer's characters through unchanged, so that a
// stream reads exactly as it would from the source, and knows the line of
// the next character and the word around it.
class LineCountingBuffer : public std::streambuf {
public:
    explicit LineCountingBuffer(std::streambuf* source);
    int line() const;
    // The part of the current word (a run without white space) already read.
    std::string wordSoFar() const;
    // The rest of that word, from the next character on, left unread.
    std::string restOfWord();

protected:
    int_type underflow() override;

private:
    bool fill();
    std::streambuf* source;
    std::vector<char> buffer;
    int linesDropped = 0; // lines ended before the buffer's start
    // Where line() last counted to, and the lines from the start to there.
    mutable const char* counted = nullptr;
    mutable int linesCounted = 0;
};

class ContentReport {
public:
    explicit ContentReport(std::istream& source);
    ContentReport(const ContentReport&) = delete;
    ContentReport& operator=(const ContentReport&) = delete;

    // The file, to be read through this stream.
    std::istream& stream() { return in; }
    int line() const { return lines.line(); }
    std::string wordSoFar() const { return lines.wordSoFar(); }
    std::string restOfWord() { return lines.restOfWord(); }
    // Whether the character after the last one read belongs to the same word
    // (a number glued to more text, like "12x").
    bool wordGoesOn();

    void error(int line, const std::string& message) { notes.push_back({line, true, message}); }
    void warning(int line, const std::string& message) { notes.push_back({line, false, message}); }

    // Image paths named by the data file are looked for under this folder
    // (the data file's own) instead of the working directory.
    std::string imageFolder;
    std::vector<ContentNote> notes;
    std::vector<ContentRecord> records;

private:
    LineCountingBuffer lines;
    std::istream in;
};

// For the readers, all doing nothing without a report. Whether the next read
// starts inside a word already read from (after a glued number).
bool insideWord(ContentReport* report);
// After a number was read: a number glued to more text ("12x") is read as 12
// and the rest left for the next read; the report says so, once.
void noteGlued(ContentReport* report);
// After a value could not be read (unless insideWord said it went on from a
// reported one): at the end of the file, endMessage on the record's line;
// otherwise why the word is no number, then stopMessage.
void noteUnread(std::istream& in, ContentReport* report, bool midWord, int recordLine,
    const std::string& endMessage, const std::string& stopMessage);

// A word in quotes for a message; a word of thousands of characters is
// shown by its start and its length, so one long word never makes a report
// megabytes long.
std::string quotedWord(const std::string& word);

// Why a value could not be read as a number, for a report: the word the
// stream stopped at, told apart as not a number, too large for a float, or
// not finite.
std::string unreadableNumber(const std::string& word);

} // namespace tether
