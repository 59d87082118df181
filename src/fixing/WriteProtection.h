#pragma once
// The question every file-changing operation asks first: a read-only file is
// changed only when the user agrees to take the protection away.
#include <QString>

namespace Fixing {

// FileName is a bare name in the current folder or a full path; the question
// names it as given. True when the file is still read-only afterwards (the
// caller must leave it alone), false when it is not. A file that is gone is
// not read-only: there is nothing to ask about, and the caller's own attempt
// fails on its own.
bool SkrivSkydd(const QString& FileName);

}  // namespace Fixing
