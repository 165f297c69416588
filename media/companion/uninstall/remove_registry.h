// Removing the registry entries of the companion software. Each goes only
// when it points into the program's own folder, so that removing one copy
// never breaks another copy installed elsewhere.
#pragma once

// The page's class with its server and its property-sheet handler, the
// utility's Run value and the uninstall entry. Entries that stay although
// they are ours are noted in failed_keys.
void remove_registry_entries();
