#include "dialogs/RowFormat.h"

#include "dialogs/FieldValues.h"
#include "model/AttributeValues.h"

namespace td {

namespace {

int ListIndex(Color color, int count)
{
    const int index = ColorPalette().IndexOf(color);
    return index < count ? index : -1;
}

}  // namespace

RowChoice ReadRowChoice(const ProjectRow& row)
{
    RowChoice choice;
    choice.backColor = ListIndex(row.backColor, BackColorListCount);
    choice.textColor = ListIndex(row.textColor, ColorListCount);
    choice.name = FieldBytes(row.name);
    choice.person = FieldBytes(row.person);
    choice.comment = FieldBytes(row.comment);
    return choice;
}

void ApplyRowChoice(const RowChoice& choice, ProjectRow& row)
{
    if (choice.backColor < BackColorListCount)
        TakeListValue(ColorPalette(), choice.backColor, row.backColor);
    if (choice.textColor < ColorListCount)
        TakeListValue(ColorPalette(), choice.textColor, row.textColor);
    CopyTextField(row.name, choice.name, true);
    CopyTextField(row.person, choice.person, true);
    CopyTextField(row.comment, choice.comment, true);
}

}  // namespace td
