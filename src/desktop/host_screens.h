// The host's own screens that the main window's menus open.
#pragma once

#include <optional>

#include "data/money.h"

class QWidget;

namespace qj::host {
class BookSession;
class HostApplication;
}  // namespace qj::host

namespace qj::desktop {

// 帐套属性: company data, audit options, voucher-type scheme and names, currencies and rates.
void ShowBookProperties(QWidget* parent, host::BookSession& session, host::HostApplication& host);
// 用户与权限: users, passwords and privileges (administrators only).
void ShowUserAdministration(QWidget* parent, host::BookSession& session, host::HostApplication& host);
// 计算器: the desktop's calculator program when one is installed, else a built-in one.
void ShowCalculator(QWidget* parent);
// The calculator for a screen that wants a figure back (the voucher screen's
// 计算): the built-in one, modal in front of `over`; the figure 填入 chose.
std::optional<Money> ComputeAmount(QWidget* over);

}  // namespace qj::desktop
