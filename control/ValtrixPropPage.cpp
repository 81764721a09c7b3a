#include "control/ValtrixPropPage.h"

const char* CValtrixPropPage::Caption()
{
    return "General";
}

const char* CValtrixPropPage::PlaceholderText()
{
    return "There are no properties to set.";
}
