// The 确定 and 取消 buttons at the foot of a dialog, named "okButton" and
// "cancelButton"; they call the dialog's accept() and reject().
#pragma once

#include <QDialogButtonBox>

class QDialog;

namespace qj::base {

QDialogButtonBox* OkCancelButtons(QDialog& dialog);

}  // namespace qj::base
