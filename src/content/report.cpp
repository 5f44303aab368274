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
    return 1 + linesDropped + static_cast<int>(std::count(eback(), gptr(), '\n'));
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
    if (buffer.size() < kept + chunk)
        buffer.resize(kept + chunk);
    const std::streamsize got
        = source->sgetn(buffer.data() + kept, static_cast<std::streamsize>(chunk));
    const size_t added = got > 0 ? static_cast<size_t>(got) : 0;
    setg(buffer.data(), buffer.data() + readPart, buffer.data() + kept + added);
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
        unreadableNumber(read + rest) + ": the game reads " + read + " and goes on at \"" + rest
            + "\"");
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

std::string unreadableNumber(const std::string& word)
{
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    const bool whole = !word.empty() && end && *end == '\0';
    const std::string quoted = "\"" + word + "\"";
    if (whole && !std::isfinite(value))
        return quoted + " is not a finite number";
    if (whole)
        return quoted + " is too large to be read (a float holds up to 3.4e38, an int 2147483647)";
    return quoted + " is not a number";
}

} // namespace tether
