#pragma once

#include "dialogs/CenteredDialog.h"

namespace td {

// IDD_VERSION.
class VersionDialog final : public CenteredDialog {
public:
    explicit VersionDialog(QWidget* parent);
};

}  // namespace td
