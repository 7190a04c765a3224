// Reads a JSON array of vouchers as the parser goes, one voucher at a time,
// keeping of each only its names and their values' text: no document tree is
// built, and every number stays the text it was written as, so that amounts
// never pass through floating point.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "vouchers/import_fields.h"
#include "vouchers/voucher_import.h"

namespace qj::vouchers {
namespace {

using nlohmann::json;

// A name of an object and its value: the text of a scalar, nothing for an
// object or an array.
struct Member {
  std::string name;
  std::optional<std::string> text;
};

// An element of an array as far as the reader needs it: an object's members,
// or not an object at all.
struct Element {
  bool object = false;
  std::vector<Member> members;
};

// The value of a voucher's "lines" (or "分录").
struct LinesValue {
  bool array = false;
  std::vector<Element> items;
};

// A voucher as read: its own members (lines aside) and its lines.
struct VoucherRead {
  Element body;
  std::optional<LinesValue> lines;         // under "lines"
  std::optional<LinesValue> chineseLines;  // under "分录", which is read when both are given
};

bool isLinesName(const std::string& name) { return name == "lines" || name == "分录"; }

// Members are checked in the order of their names, so that the fault a
// voucher reports first does not depend on how its file orders them.
std::vector<const Member*> byName(const std::vector<Member>& members) {
  std::vector<const Member*> sorted;
  sorted.reserve(members.size());
  for (const Member& member : members) sorted.push_back(&member);
  std::sort(sorted.begin(), sorted.end(), [](const Member* a, const Member* b) { return a->name < b->name; });
  return sorted;
}

void readMembers(ImportedVoucher& voucher, DraftLine& line, const std::vector<Member>& members,
                 const std::string& origin, bool voucherLevel) {
  for (const Member* member : byName(members)) {
    const auto field = ImportFieldNamed(member->name);
    if (!field || IsVoucherField(*field) != voucherLevel) {
      std::string message = origin;
      message.append("：不认识的字段“").append(member->name).append("”");
      AddImportFault(voucher, message);
      continue;
    }
    if (!member->text) {
      AddImportFault(voucher, origin + "：" + ImportFieldName(*field) + "应为文字或数字");
      continue;
    }
    if (auto problem = SetImportField(voucher.draft, line, *field, *member->text))
      AddImportFault(voucher, origin + "：" + *problem);
  }
}

ImportedVoucher importedOf(const VoucherRead& read, std::size_t index) {
  ImportedVoucher voucher;
  VoucherDraft& draft = voucher.draft;
  draft.origin = "第 " + std::to_string(index + 1) + " 张凭证";
  draft.key = std::to_string(index + 1);
  if (!read.body.object) {
    voucher.fault = draft.origin + "应为一个对象";
    return voucher;
  }
  const auto& members = read.body.members;
  if (std::none_of(members.begin(), members.end(),
                   [](const Member& member) { return member.name == "date" || member.name == "日期"; }))
    AddImportFault(voucher, draft.origin + "：缺少日期");
  DraftLine unused;
  readMembers(voucher, unused, members, draft.origin, true);
  const std::optional<LinesValue>& lines = read.chineseLines ? read.chineseLines : read.lines;
  if (!lines || !lines->array) {
    AddImportFault(voucher, draft.origin + "：缺少分录数组 lines");
    return voucher;
  }
  for (std::size_t i = 0; i < lines->items.size(); ++i) {
    DraftLine line;
    line.origin = draft.origin + "第 " + std::to_string(i + 1) + " 条分录";
    const Element& item = lines->items[i];
    if (item.object)
      readMembers(voucher, line, item.members, line.origin, false);
    else
      AddImportFault(voucher, line.origin + "应为一个对象");
    draft.lines.push_back(std::move(line));
  }
  return voucher;
}

// The parser's events folded into one voucher at a time. Each open object or
// array is a frame; values the vouchers do not read into (the contents of a
// member that should have been a scalar) are passed over, though a name given
// twice in any object still fails the file.
class VoucherEvents final : public nlohmann::json_sax<json> {
 public:
  explicit VoucherEvents(const VoucherSink& take) : take_(take) {}

  std::optional<std::size_t> errorAt;
  // A name given twice in one object, and the voucher (from 1) it is in.
  std::optional<std::pair<std::string, std::size_t>> repeated;
  bool notArray = false;  // the document is not an array
  bool trailing = false;  // the error is text after the whole document

  bool null() override { return scalar(std::string()); }
  bool boolean(bool value) override { return scalar(value ? "true" : "false"); }
  bool number_integer(number_integer_t value) override { return scalar(std::to_string(value)); }
  bool number_unsigned(number_unsigned_t value) override { return scalar(std::to_string(value)); }
  bool number_float(number_float_t /*value*/, const string_t& text) override { return scalar(text); }
  bool string(string_t& value) override { return scalar(std::move(value)); }
  bool binary(binary_t& /*value*/) override { return false; }
  bool start_object(std::size_t /*elements*/) override { return open(true); }
  bool start_array(std::size_t /*elements*/) override { return open(false); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }
  bool key(string_t& name) override {
    Frame& frame = frames_.back();
    if (!frame.addName(name)) {
      repeated = {name, handed_ + 1};
      return false;
    }
    frame.current = std::move(name);
    return true;
  }
  bool parse_error(std::size_t position, const std::string& /*token*/,
                   const nlohmann::detail::exception& /*error*/) override {
    errorAt = position;
    trailing = frames_.empty() && started_;
    return false;
  }

 private:
  enum class Kind {
    Vouchers,  // the document's array
    Voucher,   // a voucher object
    Lines,     // a voucher's array of lines
    Line,      // a line object
    Skipped,   // anything else, read through for its syntax only
  };
  struct Frame {
    Kind kind;
    // An object's names as given so far: a few in a list, many in a set.
    std::vector<std::string> names;
    std::unordered_set<std::string> manyNames;
    std::string current;  // the name the value now starting belongs to

    // Whether `name` is new to the object; it is kept.
    bool addName(const std::string& name) {
      constexpr std::size_t kFew = 16;
      if (names.size() < kFew) {
        if (std::find(names.begin(), names.end(), name) != names.end()) return false;
        names.push_back(name);
        return true;
      }
      if (manyNames.empty()) manyNames.insert(names.begin(), names.end());
      return manyNames.insert(name).second;
    }
  };

  const std::string& currentName() const { return frames_.back().current; }

  bool scalar(std::string text) {
    if (frames_.empty()) return notArrayDocument();
    switch (frames_.back().kind) {
      case Kind::Vouchers:  // an element that is not an object
        voucher_ = VoucherRead{};
        hand();
        break;
      case Kind::Voucher:
        if (isLinesName(currentName()))
          linesOf(currentName()) = LinesValue{};
        else
          voucher_.body.members.push_back({currentName(), std::move(text)});
        break;
      case Kind::Lines:
        currentLines().items.emplace_back();
        break;
      case Kind::Line:
        currentLines().items.back().members.push_back({currentName(), std::move(text)});
        break;
      case Kind::Skipped:
        break;
    }
    return true;
  }

  bool open(bool object) {
    if (frames_.empty()) {
      if (object) return notArrayDocument();
      started_ = true;
      frames_.push_back({Kind::Vouchers, {}, {}, {}});
      return true;
    }
    Kind kind = Kind::Skipped;
    switch (frames_.back().kind) {
      case Kind::Vouchers:
        voucher_ = VoucherRead{};
        voucher_.body.object = object;
        if (object) kind = Kind::Voucher;
        break;
      case Kind::Voucher:
        if (isLinesName(currentName())) {
          linesOf(currentName()) = LinesValue{!object, {}};
          if (!object) {
            lines_ = &*linesOf(currentName());
            kind = Kind::Lines;
          }
        } else {
          voucher_.body.members.push_back({currentName(), std::nullopt});
        }
        break;
      case Kind::Lines:
        currentLines().items.push_back({object, {}});
        if (object) kind = Kind::Line;
        break;
      case Kind::Line:
        currentLines().items.back().members.push_back({currentName(), std::nullopt});
        break;
      case Kind::Skipped:
        break;
    }
    frames_.push_back({kind, {}, {}, {}});
    return true;
  }

  bool close() {
    frames_.pop_back();
    // A whole element of the document's array goes on at once.
    if (frames_.size() == 1) hand();
    return true;
  }

  void hand() { take_(importedOf(voucher_, handed_++)); }

  bool notArrayDocument() {
    notArray = true;
    return false;
  }

  std::optional<LinesValue>& linesOf(const std::string& name) {
    return name == "lines" ? voucher_.lines : voucher_.chineseLines;
  }
  LinesValue& currentLines() { return *lines_; }

  const VoucherSink& take_;
  std::vector<Frame> frames_;
  VoucherRead voucher_;          // the voucher being read
  LinesValue* lines_ = nullptr;  // the lines array being read, in voucher_
  bool started_ = false;
  std::size_t handed_ = 0;
};

int lineAt(std::string_view text, std::size_t position) {
  const std::size_t end = std::min(position, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

}  // namespace

std::optional<ImportFileFault> ReadVoucherJson(std::string_view text, const VoucherSink& take) {
  VoucherEvents events(take);
  // Strict: nothing but white space may follow the array.
  const bool parsed = json::sax_parse(text, &events, json::input_format_t::json, true);
  if (events.repeated) {
    return ImportFileFault{"JSON 格式错误：第 " + std::to_string(events.repeated->second) + " 张凭证中字段“" +
                           events.repeated->first + "”出现了两次"};
  }
  if (events.notArray) return ImportFileFault{"JSON 文件应为凭证的数组：[{...}, {...}]"};
  if (!parsed) {
    const std::string line = std::to_string(lineAt(text, events.errorAt.value_or(text.size())));
    if (events.trailing) return ImportFileFault{"JSON 格式错误：第 " + line + " 行：凭证数组之后还有其他内容"};
    return ImportFileFault{"JSON 格式错误：第 " + line + " 行附近"};
  }
  return std::nullopt;
}

}  // namespace qj::vouchers
