// An input stream over text already in memory, read in place: a file read
// whole (content/regularfile.h) is parsed with the same stream rules as
// before, without a second copy of a file that may be tens of megabytes.
#pragma once

#include <istream>
#include <streambuf>
#include <string>

namespace tether {

// The get area is the text itself; the stream only reads, so the text is
// never written through it. The text must outlive the stream.
class TextBuffer : public std::streambuf {
public:
    explicit TextBuffer(const std::string& text)
    {
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin, begin + text.size());
    }
};

class TextStream : public std::istream {
public:
    explicit TextStream(const std::string& text)
        : std::istream(nullptr)
        , buffer(text)
    {
        rdbuf(&buffer); // also clears the bad state of the null buffer
    }

private:
    TextBuffer buffer;
};

} // namespace tether
