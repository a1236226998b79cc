// The one exception class of the dataset layer. Every failure a caller can meet there - a
// table file that is missing, foreign or corrupt, a field name the table lacks, a write the
// file refused, a table another deskhive is using - arrives as an EDatabaseError whose
// Message() says what happened and to which file or field, so that the main window can
// show it as it stands.
#pragma once

#include "platform/core/Exceptions.h"

class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};
