// The buttons of the phrase edit dialogs, in this order: 增加 (store and start
// the next), 确定 (store and close), 取消 (discard and close).
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <functional>

namespace qj::vouchers {

// A row of buttons for `dialog`: 增加 calls `addNext`, 确定 (the default) `confirm`, 取消 rejects.
QHBoxLayout* AddEditButtons(QDialog* dialog, const std::function<void()>& addNext,
                            const std::function<void()>& confirm);

}  // namespace qj::vouchers
