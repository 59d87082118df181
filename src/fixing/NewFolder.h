#pragma once
// Creating a folder with a name the user typed.
#include <QString>

// Creates the folder `name` inside `parent`. False when it could not be
// created: it exists already, the parent is missing, no permission, or the
// name is not one folder name (empty, "." or "..", or holding a "/", which
// would put the folder somewhere else).
bool CreateFolderIn(const QString& parent, const QString& name);
