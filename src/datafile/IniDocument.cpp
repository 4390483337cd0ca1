#include "datafile/IniDocument.h"

#include <algorithm>

namespace ostrin {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The section name of a header line "[name]", or nothing for any other line.
std::optional<std::string> headerName(std::string_view text) {
  const std::string_view line = trim(text);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(trim(line.substr(1, close - 1)));
}

std::string withoutLineBreaks(std::string_view value) {
  std::string clean(value);
  std::replace_if(clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return clean;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::optional<IniDocument::Line> IniDocument::keyLine(std::string text, std::string eol) {
  Line line{std::move(text), std::move(eol), 0, 0};
  const std::string_view view = line.text;
  const std::size_t first = view.find_first_not_of(" \t");
  if (first == std::string_view::npos || view[first] == ';' || view[first] == '#') return line;
  const std::size_t equals = view.find('=');
  if (equals == std::string_view::npos) return line;
  const std::string_view key = trim(view.substr(0, equals));
  if (key.empty()) return line;
  line.keyLength = static_cast<std::size_t>(key.data() + key.size() - view.data());
  line.valueStart = equals + 1;
  return line;
}

std::string IniDocument::valueOf(const Line& line) {
  std::string_view value = trim(std::string_view(line.text).substr(line.valueStart));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, ProfileValueLimit));
}

static std::string_view keyOf(std::string_view text, std::size_t keyLength) {
  return trim(text.substr(0, keyLength));
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  bool eolChosen = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t newline = text.find('\n', pos);
    std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    std::string eol;
    if (newline != std::string_view::npos) {
      const bool crlf = end > pos && text[end - 1] == '\r';
      eol = crlf ? "\r\n" : "\n";
      if (crlf) --end;
      if (!eolChosen) doc.eol_ = eol;
      eolChosen = true;
    }
    std::string lineText(text.substr(pos, end - pos));
    pos = newline == std::string_view::npos ? text.size() : newline + 1;

    if (auto name = headerName(lineText)) {
      doc.sectionsByName_[FoldCase(*name)].push_back(doc.sections_.size());
      Section section;
      section.name = std::move(*name);
      section.lines.push_back(Line{std::move(lineText), std::move(eol), 0, 0});
      doc.sections_.push_back(std::move(section));
      continue;
    }
    Line line = *keyLine(std::move(lineText), std::move(eol));
    if (doc.sections_.empty()) {
      doc.preamble_.push_back(std::move(line));
      continue;
    }
    Section& section = doc.sections_.back();
    if (line.keyLength != 0) {
      section.firstKey.try_emplace(FoldCase(keyOf(line.text, line.keyLength)), section.lines.size());
    }
    section.lines.push_back(std::move(line));
  }
  return doc;
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
  const auto found = sectionsByName_.find(FoldCase(section));
  if (found == sectionsByName_.end()) return std::nullopt;
  const std::string foldedKey = FoldCase(key);
  for (const std::size_t index : found->second) {
    const Section& s = sections_[index];
    const auto line = s.firstKey.find(foldedKey);
    if (line != s.firstKey.end()) return valueOf(s.lines[line->second]);
  }
  return std::nullopt;
}

void IniDocument::endLastLine() {
  std::vector<Line>& lines = sections_.empty() ? preamble_ : sections_.back().lines;
  if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol_;
}

IniDocument::Section& IniDocument::sectionFor(std::string_view name) {
  std::vector<std::size_t>& indexes = sectionsByName_[FoldCase(name)];
  if (!indexes.empty()) return sections_[indexes.front()];
  endLastLine();
  indexes.push_back(sections_.size());
  Section section;
  section.name = std::string(name);
  section.lines.push_back(Line{"[" + section.name + "]", eol_, 0, 0});
  sections_.push_back(std::move(section));
  return sections_.back();
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string foldedKey = FoldCase(key);
  const std::string clean = withoutLineBreaks(value);
  const auto found = sectionsByName_.find(FoldCase(section));
  if (found != sectionsByName_.end()) {
    for (const std::size_t index : found->second) {
      Section& s = sections_[index];
      const auto line = s.firstKey.find(foldedKey);
      if (line == s.firstKey.end()) continue;
      Line& target = s.lines[line->second];
      target.text = std::string(keyOf(target.text, target.keyLength)) + "=" + clean;
      target.keyLength = target.text.size() - clean.size() - 1;
      target.valueStart = target.keyLength + 1;
      return;
    }
  }
  Section& s = sectionFor(section);
  // A new key goes after the section's last non-blank line, so that the blank
  // lines that part it from the next section stay where they are.
  std::size_t insertAt = s.lines.size();
  while (insertAt > 1 && trim(s.lines[insertAt - 1].text).empty()) --insertAt;
  if (s.lines[insertAt - 1].eol.empty()) s.lines[insertAt - 1].eol = eol_;
  Line line{std::string(key) + "=" + clean, eol_, key.size(), key.size() + 1};
  s.firstKey.emplace(foldedKey, insertAt);
  s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniDocument::Serialise() const {
  std::size_t size = 0;
  auto measure = [&size](const std::vector<Line>& lines) {
    for (const Line& l : lines) size += l.text.size() + l.eol.size();
  };
  measure(preamble_);
  for (const Section& s : sections_) measure(s.lines);
  std::string text;
  text.reserve(size);
  auto append = [&text](const std::vector<Line>& lines) {
    for (const Line& l : lines) {
      text += l.text;
      text += l.eol;
    }
  };
  append(preamble_);
  for (const Section& s : sections_) append(s.lines);
  return text;
}

std::vector<IniDocument::Entry> IniDocument::Entries() const {
  std::vector<Entry> entries;
  for (const Section& s : sections_) {
    for (const Line& l : s.lines) {
      if (l.keyLength == 0) continue;
      entries.push_back(Entry{s.name, std::string(keyOf(l.text, l.keyLength)), valueOf(l)});
    }
  }
  return entries;
}

}  // namespace ostrin
