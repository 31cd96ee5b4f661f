#include "serial/persistence/IniFile.h"

#include "base/AtomicFile.h"
#include "base/FileRead.h"
#include "base/Language.h"
#include "serial/persistence/SettingsText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace serial {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Blank(char c) { return c == ' ' || c == '\t'; }

bool Quoted(std::string_view value) {
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// The texts of this file in the program's language, their %1, %2 put in.
std::string Tr(const char *text, const std::vector<std::string> &args) {
    return platform::Substituted(platform::Translated("IniFile", text), args);
}

// text: a French text marked for translation whose %1 is the name refused.
[[noreturn]] void Refuse(const char *text, std::string_view name) {
    throw EIniFileError(Tr(text, {std::string(name)}));
}

// A name that reads back as itself: not empty, no blanks around it, no line break or NUL,
// and not mistaken for a comment or a header.
void CheckName(std::string_view name, std::string_view forbidden, const char *text) {
    if (name.empty() || Blank(name.front()) || Blank(name.back()) ||
        name.find_first_of(forbidden) != std::string_view::npos ||
        name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        Refuse(text, name);
}

// Settings take a few hundred bytes; a file beyond this is no settings file, and reading it
// line by line would take many times its size in memory.
constexpr std::size_t kMaxFileSize = std::size_t(1) << 20;

constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

std::string ReadWholeFile(const std::string &fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        throw EIniFileError(
            Tr(QT_TRANSLATE_NOOP("IniFile", "Impossible de lire le fichier %1 : %2"),
               {fileName, std::strerror(errno)}));
    }
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t n = platform::ReadSome(fd, chunk, sizeof chunk);
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw EIniFileError(
                Tr(QT_TRANSLATE_NOOP("IniFile", "Impossible de lire le fichier %1 : %2"),
                   {fileName, std::strerror(error)}));
        }
        if (n == 0)
            break;
        text.append(chunk, std::size_t(n));
        if (text.size() > kMaxFileSize) {
            ::close(fd);
            throw EIniFileError(
                Tr(QT_TRANSLATE_NOOP("IniFile", "Le fichier %1 dépasse 1 Mio : ce n'est pas "
                                                "un fichier de réglages, il n'est pas lu."),
                   {fileName}));
        }
    }
    ::close(fd);
    return text;
}

} // namespace

IniDocument::IniDocument(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    endsWithLineEnd_ = text.empty() || text.back() == '\n' || text.back() == '\r';
    bool lineEndKnown = false;
    std::size_t start = 0;
    while (start < text.size()) {
        // A line ends with LF, with CRs and a LF (all of them its line end), or with a CR
        // alone; the first line end found is the one new lines get.
        const auto end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view raw = text.substr(start, end - start);
        std::string_view lineEnd;
        start = end + 1;
        if (end < text.size()) {
            auto after = end;
            while (after < text.size() && text[after] == '\r')
                ++after;
            const bool linefeed = after < text.size() && text[after] == '\n';
            lineEnd = !linefeed ? "\r" : after == end ? "\n" : "\r\n";
            if (linefeed)
                start = after + 1;
        }
        if (!lineEnd.empty() && !lineEndKnown) {
            lineEnd_ = lineEnd;
            lineEndKnown = true;
        }

        Line line{.text = std::string(raw),
                  .section = sections_.empty() ? -1 : int(sections_.size()) - 1};
        const std::string_view content = Trim(raw);
        if (content.starts_with('[') && content.find(']') != std::string_view::npos) {
            line.isHeader = true;
            line.name = Trim(content.substr(1, content.find(']') - 1));
            line.section = int(sections_.size());
            sections_.push_back(line.name);
        } else if (!content.empty() && content[0] != ';' && content[0] != '#') {
            const auto equals = content.find('=');
            line.name = Trim(content.substr(0, equals));
            line.isKey = equals != std::string_view::npos && !line.name.empty();
        }
        lines_.push_back(std::move(line));
    }
}

int IniDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (SameTextIgnoringCase(sections_[i], section))
            return int(i);
    return -1;
}

int IniDocument::FindKey(int section, std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].isKey && lines_[i].section == section &&
            SameTextIgnoringCase(lines_[i].name, key))
            return int(i);
    return -1;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    const int s = FindSection(section);
    const int k = s < 0 ? -1 : FindKey(s, key);
    if (k < 0)
        return std::nullopt;
    const std::string &text = lines_[std::size_t(k)].text;
    std::string_view value = Trim(std::string_view(text).substr(text.find('=') + 1));
    if (Quoted(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    CheckName(section, "]",
              QT_TRANSLATE_NOOP("IniFile",
                                "Impossible d'enregistrer la section « %1 » dans un fichier INI."));
    CheckName(key, "=[;#",
              QT_TRANSLATE_NOOP("IniFile",
                                "Impossible d'enregistrer la clé « %1 » dans un fichier INI."));
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        Refuse(QT_TRANSLATE_NOOP(
                   "IniFile",
                   "Impossible d'enregistrer la valeur de la clé « %1 » dans un fichier INI."),
               key);
    // Quotes keep blanks at the ends, and a value already in quotes, as they are.
    const bool quote =
        !value.empty() && (Blank(value.front()) || Blank(value.back()) || Quoted(value));
    const std::string text =
        std::string(key) + "=" + (quote ? "\"" : "") + std::string(value) + (quote ? "\"" : "");

    int s = FindSection(section);
    if (s < 0) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty())
            lines_.push_back(Line{.section = int(sections_.size()) - 1});
        s = int(sections_.size());
        sections_.emplace_back(section);
        lines_.push_back(Line{.text = "[" + std::string(section) + "]",
                              .section = s,
                              .isHeader = true,
                              .name = std::string(section)});
    }
    if (const int k = FindKey(s, key); k >= 0) {
        lines_[std::size_t(k)].text = lines_[std::size_t(k)].name + text.substr(key.size());
        return;
    }
    // After the section's last key, or its header.
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].section == s && (lines_[i].isKey || lines_[i].isHeader))
            at = i + 1;
    lines_.insert(lines_.begin() + std::ptrdiff_t(at),
                  Line{.text = text, .section = s, .name = std::string(key), .isKey = true});
    endsWithLineEnd_ = endsWithLineEnd_ || at == lines_.size() - 1;
}

std::string IniDocument::Text() const {
    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i].text;
        if (i + 1 < lines_.size() || endsWithLineEnd_)
            text += lineEnd_;
    }
    return text;
}

TIniFile::TIniFile(std::string fileName)
    : fileName_(std::move(fileName)), document_(ReadWholeFile(fileName_)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    return document_.Value(section, key).value_or(std::string(defaultValue));
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) const {
    const auto value = document_.Value(section, key);
    const auto number = value ? ParseInt32(*value) : std::nullopt;
    return number.value_or(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    document_.SetValue(section, key, value);
    changed_ = true;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::UpdateFile() {
    if (!changed_)
        return;
    if (const int error = platform::ReplaceFileContents(fileName_, document_.Text()))
        throw EIniFileError(
            Tr(QT_TRANSLATE_NOOP("IniFile", "Impossible d'écrire le fichier %1 : %2"),
               {fileName_, std::strerror(error)}));
    changed_ = false;
}

} // namespace serial
