// Resource ids shared by setup.rc and the code. Plain #defines, because the
// resource compiler reads this file too.
#ifndef SETUP_RESOURCE_IDS_H
#define SETUP_RESOURCE_IDS_H

// String table
#define IDS_DISK_LABEL          1   // "DiskLabel"
#define IDS_DIRECTORY_NAME      2   // "DirectoryName"
#define IDS_FILE_COUNTS         3   // "FileCounts"
#define IDS_DISK1               4   // "Disk1" .. "Disk6" are 4 .. 9
#define IDS_ROOT_DIR            10  // "RootDir" .. "WinInfDir" are 10 .. 19
#define IDS_READING_ERROR       20
#define IDS_MAIN                22
#define IDS_DEFAULT_PATH        23
#define IDS_MINIMUM_SPACE       25
#define IDS_GROUP_NAME          26
#define IDS_GROUP_TITLE         27
#define IDS_NOT_COMPLETED       28
#define IDS_SETUP_PROGRAM       29
#define IDS_PRODUCT_NAME        30
#define IDS_DIR_EXISTS          32
#define IDS_CANNOT_CREATE_DIR   33
#define IDS_NO_FREE_SPACE       34
#define IDS_COPYING             36
#define IDS_PM_INFO             40
#define IDS_STARTUP             41
#define IDS_FILE_NAME           42
#define IDS_TITLE               43
#define IDS_NT_ONLY             44

// Dialog templates
#define IDD_WELCOME             101
#define IDD_FINISH              102
#define IDD_INSTALL             103
#define IDD_BROWSE              104
#define IDD_SETUP_TYPE          105
#define IDD_COMPONENTS          106
#define IDD_DESTINATION         107

// Icons and bitmaps
#define IDI_WELCOME             200
#define IDI_INSTALL_1           201
#define IDI_INSTALL_2           202
#define IDB_SIDE_PICTURE        304
#define IDB_TOP_LOGO            306
#define IDB_BOTTOM_LOGO         307

// Controls
#define IDC_NEXT                1
#define IDC_CANCEL              2
#define IDC_BACK                3
// The single button of the install and the finish page takes the place, and
// the id, of Next.
#define IDC_INSTALL_CANCEL      1
#define IDC_FINISH              1
#define IDC_PATH                1003
#define IDC_SEPARATOR           1006
#define IDC_BAR_FRAME_UNUSED_1  1009
#define IDC_BAR_FRAME_UNUSED_2  1010
#define IDC_BAR_FRAME           1011
#define IDC_BAR_FRAME_UNUSED_3  1012
#define IDC_PERCENT             1013
#define IDC_PERCENT_UNUSED      1014
#define IDC_ICON_UNUSED_1       1015
#define IDC_ICON_UNUSED_2       1016
#define IDC_ICON_UNUSED_3       1017
#define IDC_ICON_UNUSED_4       1018
#define IDC_STATUS              1019
#define IDC_SIDE_PICTURE        1022
#define IDC_HEADING             1023
#define IDC_PRODUCT_TEXT        1024
#define IDC_BROWSE              1025
#define IDC_TYPICAL             1026
#define IDC_CUSTOM              1027
#define IDC_COMPONENT_FIRST     1028  // check boxes 1028 .. 1031
#define IDC_RESTART_YES         1032
#define IDC_RESTART_NO          1033

#endif
