#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/login.h"
#include "cli/verb_rights.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "host/package_library.h"
#include "host/user_store.h"

namespace qj::cli {
namespace {

// The bits of a message box's flags that choose its icon.
constexpr int kIconFlags = 0x70;

nlohmann::json toJson(const VorParams::Variant& value) {
  if (std::holds_alternative<std::monostate>(value)) return nullptr;
  if (const auto* b = std::get_if<bool>(&value)) return *b;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return *i;
  // Money, dates and text as text: amounts keep every decimal exactly.
  return VariantText(value);
}

bool sameValue(const VorParams::Variant& a, const VorParams::Variant& b) {
  return a.index() == b.index() && VariantText(a) == VariantText(b);
}

}  // namespace

int RunCall(const std::vector<std::string>& words) {
  const Arguments args(words, {"user", "answer", "date"}, {});
  const std::string& location = args.need(0, "帐套位置 BOOK");
  const std::string& command = args.need(1, "命令 COMMAND");
  std::string param;
  VorParams bag;
  for (std::size_t i = 2; i < args.positional().size(); ++i) {
    const std::string& word = args.positional()[i];
    const auto equals = word.find('=');
    if (equals == std::string::npos) {
      if (i != 2) throw UsageError("参数应写作 name=value：" + word);
      param = word;
    } else if (equals == 0) {
      throw UsageError("参数名不能为空：" + word);
    } else {
      bag.AddValue(word.substr(0, equals), word.substr(equals + 1));
    }
  }
  bool answerYes = false;
  if (auto answer = args.option("answer")) {
    if (*answer != "yes" && *answer != "no") throw UsageError("--answer 应为 yes 或 no");
    answerYes = *answer == "yes";
  }
  std::optional<Date> businessDate;
  if (auto date = args.option("date")) {
    businessDate = Date::parse(*date);
    if (!businessDate || date->size() != 10) throw UsageError("--date 应写作 YYYY-MM-DD：" + *date);
  }

  Login login = LogIn(location, args.option("user").value_or(""));
  // Commands that set the book up anew (opening data wiped, the start moved)
  // are for administrators only.
  if (ChangesBookSetUp(command) && !host::UserStore(login.session->db()).isAdministrator(login.user))
    throw RefusedError("只有系统管理员可以运行 " + command + "，没有做任何修改。");
  host::ScriptedMessageBoxes boxes(answerYes);
  host::HostApplication app(*login.session, boxes, login.user);
  if (businessDate) app.setBusinessDate(*businessDate);
  const VorParams inputs = bag;
  {
    host::PackageLibrary package(host::PackageLibrary::DefaultPath(), app);
    app.GlobalCall(command, param, &bag);
  }

  nlohmann::json outputs = nlohmann::json::object();
  for (const auto& [name, value] : bag.values())
    if (!inputs.Has(name) || !sameValue(inputs.GetValue(name), value)) outputs[name] = toJson(value);
  nlohmann::json messages = nlohmann::json::array();
  for (const auto& shown : boxes.shown())
    messages.push_back(
        {{"caption", shown.caption}, {"text", shown.text}, {"flags", shown.flags}, {"answer", shown.answer}});
  const nlohmann::json result = {{"command", command}, {"param", param}, {"outputs", outputs}, {"messages", messages}};
  std::cout << result.dump(2) << "\n";
  // A command that showed an error (a value it refused, a database error)
  // did not do its work, and a script must be able to tell.
  const bool failed = std::any_of(boxes.shown().begin(), boxes.shown().end(),
                                  [](const auto& shown) { return (shown.flags & kIconFlags) == msgbox::IconError; });
  return failed ? kExitRefused : kExitOk;
}

}  // namespace qj::cli
