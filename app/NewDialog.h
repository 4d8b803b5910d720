#pragma once

#include "dialogs/CenteredDialog.h"

namespace td {

inline constexpr int NewProjectButton = 1007;
inline constexpr int NewScheduleButton = 1008;

// IDD_NEW_PROJECT: ends with the id of the pressed button, or 2 when cancelled.
class NewDialog final : public CenteredDialog {
public:
    explicit NewDialog(QWidget* parent);
    void reject() override { done(DialogCancel); }
};

}  // namespace td
