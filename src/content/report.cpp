// Line counting for content reports. The buffer keeps what has been read of
// the current word when it refills, so the word around the read position
// can always be told whole.
#include "content/report.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tether {

namespace {

constexpr size_t chunk = 4096;
constexpr size_t longestQuotedWord = 64;

bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

} // namespace

LineCountingBuffer::LineCountingBuffer(std::streambuf* from)
    : source(from)
    , buffer(chunk)
{
    setg(buffer.data(), buffer.data(), buffer.data());
}

int LineCountingBuffer::line() const
{
    // Counted on from where the last call left off: a report asks for the
    // line at every record, and counting from the buffer's start each time
    // would take as long as the buffer for each of twenty thousand records.
    const char* at = gptr();
    if (!counted || counted < eback() || counted > egptr()) {
        counted = eback();
        linesCounted = 0;
    }
    if (at >= counted)
        linesCounted += static_cast<int>(std::count(counted, at, '\n'));
    else
        linesCounted -= static_cast<int>(std::count(at, counted, '\n'));
    counted = at;
    return 1 + linesDropped + linesCounted;
}

std::string LineCountingBuffer::wordSoFar() const
{
    const char* start = gptr();
    while (start > eback() && !isSpace(start[-1]))
        --start;
    return std::string(start, static_cast<const char*>(gptr()));
}

std::string LineCountingBuffer::restOfWord()
{
    size_t offset = 0;
    for (;;) {
        const char* p = gptr() + offset;
        while (p < egptr() && !isSpace(*p))
            ++p;
        offset = static_cast<size_t>(p - gptr());
        if (p < egptr() || !fill())
            return std::string(gptr(), gptr() + offset);
    }
}

// Moves the unread characters, and the read part of the current word, to
// the front and appends more from the source; false when it has no more.
bool LineCountingBuffer::fill()
{
    if (!source)
        return false;
    char* keepFrom = gptr();
    while (keepFrom > eback() && !isSpace(keepFrom[-1]))
        --keepFrom;
    linesDropped += static_cast<int>(std::count(eback(), keepFrom, '\n'));
    const size_t kept = static_cast<size_t>(egptr() - keepFrom);
    const size_t readPart = static_cast<size_t>(gptr() - keepFrom);
    std::memmove(buffer.data(), keepFrom, kept);
    // A word longer than a chunk is kept whole at every refill: reading as
    // much again as is kept makes a word of n characters cost about 2n
    // characters moved, where a chunk at a time cost n squared over 8192
    // (minutes for a word of 16 MB).
    const size_t toRead = std::max(chunk, kept);
    if (buffer.size() < kept + toRead)
        buffer.resize(kept + toRead);
    const std::streamsize got
        = source->sgetn(buffer.data() + kept, static_cast<std::streamsize>(toRead));
    const size_t added = got > 0 ? static_cast<size_t>(got) : 0;
    setg(buffer.data(), buffer.data() + readPart, buffer.data() + kept + added);
    counted = nullptr; // the characters moved: line() counts afresh
    return added > 0;
}

LineCountingBuffer::int_type LineCountingBuffer::underflow()
{
    if (gptr() < egptr() || fill())
        return traits_type::to_int_type(*gptr());
    return traits_type::eof();
}

ContentReport::ContentReport(std::istream& source)
    : lines(source.rdbuf())
    , in(&lines)
{
}

bool ContentReport::wordGoesOn()
{
    if (!in.good())
        return false;
    const auto next = lines.sgetc();
    return next != LineCountingBuffer::traits_type::eof()
        && !isSpace(LineCountingBuffer::traits_type::to_char_type(next));
}

bool insideWord(ContentReport* report)
{
    return report && report->wordGoesOn() && !report->wordSoFar().empty();
}

void noteGlued(ContentReport* report)
{
    if (!report || !report->wordGoesOn())
        return;
    const std::string read = report->wordSoFar();
    const std::string rest = report->restOfWord();
    report->error(report->line(),
        unreadableNumber(read + rest) + ": the game reads " + read + " and goes on at "
            + quotedWord(rest));
}

void noteUnread(std::istream& in, ContentReport* report, bool midWord, int recordLine,
    const std::string& endMessage, const std::string& stopMessage)
{
    if (!report || midWord)
        return;
    if (in.eof()) {
        report->error(recordLine, endMessage);
        return;
    }
    const std::string word = report->wordSoFar() + report->restOfWord();
    report->error(report->line(), unreadableNumber(word) + ": " + stopMessage);
}

std::string quotedWord(const std::string& word)
{
    if (word.size() <= longestQuotedWord)
        return "\"" + word + "\"";
    return "\"" + word.substr(0, longestQuotedWord / 2) + "...\" (a word of "
        + std::to_string(word.size()) + " characters)";
}

std::string unreadableNumber(const std::string& word)
{
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    const bool whole = !word.empty() && end && *end == '\0';
    const std::string quoted = quotedWord(word);
    if (whole && !std::isfinite(value))
        return quoted + " is not a finite number";
    if (whole)
        return quoted + " is too large to be read (a float holds up to 3.4e38, an int 2147483647)";
    return quoted + " is not a number";
}

} // namespace tether
