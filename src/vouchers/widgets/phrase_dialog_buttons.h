// The buttons of the phrase edit dialogs: 增加 (store and start the next),
// 确定 (store and close), 取消 (discard and close).
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <functional>

namespace qj::vouchers {

// A button box for `dialog`: 增加 calls `addNext`, 确定 `confirm`, 取消 rejects.
QDialogButtonBox* AddEditButtons(QDialog* dialog, const std::function<void()>& addNext,
                                 const std::function<void()>& confirm);

}  // namespace qj::vouchers
