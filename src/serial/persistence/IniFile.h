// INI files: named sections of "key=value" lines. The serial port stores its settings in
// one (SaveToIni, LoadFromIni); any other code may keep its own values beside them.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace serial {

// An INI file that cannot be read or written, or a name or value that cannot be stored
// in one; the message says which, in French.
class EIniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of an INI file, kept line by line so that what is not changed (comments,
// other sections, their order, the line ends) is written back as it was.
//
// Reading: lines end with LF, CR LF (every CR before the LF belongs to the line end) or a
// CR alone; new lines take the file's first line end. A UTF-8 byte-order mark at the start
// is kept aside and written back.
// "[name]" opens a section; "key=value" lines belong to the section above them (those
// above any section are ignored); blank lines and lines starting with ";" or "#" are
// comments. Section names and keys are matched without regard to ASCII letter case; the
// first match wins. Blanks around keys and values are dropped, and a value in double
// quotes loses them (so that blanks can be kept).
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Replaces the key's value, or adds the key at the end of its section, or the section
    // at the end of the text. A name or value that a line cannot carry (a line break, a
    // NUL, a key with "=" or blanks around it...) raises EIniFileError.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    std::string Text() const;

private:
    struct Line {
        std::string text{};
        int section = -1;      // index of the section it belongs to; -1 above the first
        bool isHeader = false; // "[name]"
        std::string name{};    // the section's name (header) or the key (key line)
        bool isKey = false;
    };
    int FindSection(std::string_view section) const;
    // The key's line, or -1.
    int FindKey(int section, std::string_view key) const;

    std::vector<Line> lines_;
    std::vector<std::string> sections_;
    std::string lineEnd_ = "\r\n";
    bool endsWithLineEnd_ = true;
    bool byteOrderMark_ = false;
};

// The INI file object the port's persistence works with. It reads the file when it is
// made (a file that does not exist reads as empty; one over 1 MiB is refused); writes
// change the text in memory until UpdateFile, which replaces the file whole, so that a
// crash or a full disk never leaves it half-written, and never replaces a file the user
// may not write.
class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    const std::string &FileName() const { return fileName_; }
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The value as a decimal integer; the default when it is missing or no integer.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Writes the file if anything changed since it was read or last written.
    void UpdateFile();

private:
    std::string fileName_;
    IniDocument document_;
    bool changed_ = false;
};

} // namespace serial
