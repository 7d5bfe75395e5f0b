#include "transfer/text_import_line.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "storage/dates.h"

namespace quirovel {

TextImportOptions OptionsFrom(const ImportSettings& settings) {
  TextImportOptions options;
  options.separator = settings.separator.empty() ? ' ' : settings.separator[0];
  options.delimiter = settings.delimiter.empty() ? ' ' : settings.delimiter[0];
  options.fixed_length =
      settings.fixed_length != 0 || options.separator == 'n' || options.separator == 'N';
  options.date_format = settings.date_format;
  return options;
}

TextImportLine::TextImportLine(std::vector<ImportField> fields, int record_length,
                               TextImportOptions options, Feedback& feedback)
    : fields_(std::move(fields)),
      options_(std::move(options)),
      feedback_(feedback),
      blank_record_(static_cast<std::size_t>(std::max(record_length, 0)), ' ') {
  value_.reserve(kMaxImportLine + 2);
}

// The value of field f collected character by character from *pos: the
// delimiters removed, the line ends skipped. False (after the message) when
// it grows longer than its field allows.
bool TextImportLine::Collect(std::string_view line, std::size_t f, long record_number,
                             std::size_t* at, bool* in_quotes) {
  const ImportField& field = fields_[f];
  const bool fixed = options_.fixed_length;
  const bool delimited = options_.delimiter != ' ';
  const char delimiter = options_.delimiter, separator = options_.separator;
  const std::size_t n = line.size();
  const std::size_t width = static_cast<std::size_t>(field.width);
  const std::size_t limit = field.type == 'D' ? width + 2 : width;
  const bool last = f + 1 == fields_.size();
  const std::size_t bound = std::min(last ? kMaxImportValue : limit, kMaxImportValue);
  std::size_t& pos = *at;
  bool& quoted = *in_quotes;
  value_.clear();
  while (pos < n) {
    if (fixed && value_.size() == width) break;
    // A run of plain characters is taken at once.
    const std::size_t stop = fixed ? std::min(n, pos + (width - value_.size())) : n;
    std::size_t end = pos;
    while (end < stop) {
      const char c = line[end];
      if (c == '\r' || c == '\n' || (delimited && c == delimiter) ||
          (!fixed && !quoted && c == separator))
        break;
      ++end;
    }
    if (end > pos) {
      std::size_t take = end - pos;
      const bool too_long = value_.size() + take > bound;
      if (too_long) take = bound + 1 - value_.size();
      value_.append(line.data() + pos, take);
      pos += take;
      if (too_long) {
        feedback_.Message(StrFormat("Linea %ld Error tamaño campo %d %s=%d: [%s]"_cp, record_number,
                                    static_cast<int>(f + 1), field.name.c_str(), field.width,
                                    value_.c_str()));
        return false;
      }
      continue;
    }
    if (fixed && value_.size() == width) break;
    const char c = line[pos];
    if (delimited && c == delimiter) {
      ++pos;
      if (pos < n && line[pos] == delimiter)
        ++pos;
      else
        quoted = !quoted;
      continue;
    }
    if (!fixed && c == separator && !quoted) break;
    ++pos;  // a line end is skipped and not counted
  }
  return true;
}

LineVerdict TextImportLine::Build(std::string_view line, long record_number) {
  record_ = blank_record_;
  const bool fixed = options_.fixed_length;
  const bool delimited = options_.delimiter != ' ';
  const char delimiter = options_.delimiter, separator = options_.separator;
  const std::size_t count = fields_.size(), n = line.size();
  bool bad_date = false;
  // Between an opening and a closing delimiter the separator is part of the
  // value, so that a quoted "a,b" stays one value.
  bool quoted = false;
  std::size_t pos = 0;
  // Two whole-line searches: find_first_of would search the set once per character.
  const bool plain = line.find('\r') == std::string_view::npos &&
                     line.find('\n') == std::string_view::npos &&
                     (!delimited || line.find(delimiter) == std::string_view::npos);
  for (std::size_t f = 0; f < count && pos < n; ++f) {
    if (plain && !fixed) {
      // Most separated values are empty, and an empty value leaves its
      // field blank (an empty date too): a run of them is passed at once.
      while (line[pos] == separator && ++f < count && ++pos < n) {
      }
      if (f == count || pos == n) break;
    }
    const ImportField& field = fields_[f];
    const std::size_t width = static_cast<std::size_t>(field.width);
    const std::size_t limit = field.type == 'D' ? width + 2 : width;
    const bool last = f + 1 == count;
    // The value may grow to `bound` characters; one more is an error.
    const std::size_t bound = std::min(last ? kMaxImportValue : limit, kMaxImportValue);
    std::string_view value;
    if (plain) {
      // No line end and no delimiter inside: the value is a plain piece of the line.
      std::size_t end = pos;
      if (fixed) {
        end = pos + std::min(width, n - pos);
      } else {
        // Values are a few characters long: a plain scan costs less than a
        // library call for each of them.
        while (end < n && line[end] != separator) ++end;
      }
      value = line.substr(pos, end - pos);
      pos = end;
      if (value.size() > bound) {
        value_.assign(value.substr(0, bound + 1));
        feedback_.Message(StrFormat("Linea %ld Error tamaño campo %d %s=%d: [%s]"_cp, record_number,
                                    static_cast<int>(f + 1), field.name.c_str(), field.width,
                                    value_.c_str()));
        return LineVerdict::kTooLong;
      }
    } else {
      if (!Collect(line, f, record_number, &pos, &quoted)) return LineVerdict::kTooLong;
      value = value_;
    }
    if (fixed && value.empty() && !empty_reported_) {
      feedback_.Message(
          StrFormat("ERROR: Campo %d vacio. Reg #%ld", static_cast<int>(f + 1), record_number));
      empty_reported_ = true;
    }
    std::string_view stored = value;
    std::string date;
    if (field.type == 'D') {
      date = NormaliseDate(value, options_.date_format, feedback_, date_error_);
      if (date == "ERROR") {
        feedback_.Message(StrFormat("Registro:%ld Fecha = %s  Formato %s campo=%d", record_number,
                                    std::string(value).c_str(), options_.date_format.c_str(),
                                    static_cast<int>(f + 1)));
        bad_date = true;
      }
      stored = date;
    }
    // Left-aligned in the field; a longer value (the last field's) is cut.
    const std::size_t room =
        field.offset < static_cast<int>(record_.size())
            ? std::min(width, record_.size() - static_cast<std::size_t>(field.offset))
            : 0;
    std::copy_n(stored.begin(), std::min(room, stored.size()),
                record_.begin() + std::min<std::ptrdiff_t>(field.offset, record_.size()));
    if (!fixed && pos < n && line[pos] == separator) ++pos;
  }
  return bad_date ? LineVerdict::kBadDate : LineVerdict::kWrite;
}

}  // namespace quirovel
