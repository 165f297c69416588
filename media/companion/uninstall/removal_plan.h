// What to remove: the installed copy of SETUP.INF in the program's folder,
// read through Setup's own loader, turned into the checked lists of files
// and subfolders of the record.
#pragma once

// Fills the program's path, its folder and the Windows folders of the record.
void locate_program_folder();

// Reads the script and fills files, subfolders, refused_entries and
// program_listed; sets script to say whether the lists can be trusted.
void plan_removal();
