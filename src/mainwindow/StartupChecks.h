#pragma once
class Dialogs;
class SingleInstance;

// True when another copy of the program already runs for this user: the user
// is told so, and this start must end without showing a window.
bool AnotherInstanceRuns(SingleInstance& instance, Dialogs& dialogs);
