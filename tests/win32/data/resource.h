// Resource ids of the test program and the test modules.
#define IDS_GREETING 1
#define IDS_EMPTY 2
#define IDS_LAST_OF_BUNDLE 15
#define IDS_FIRST_OF_NEXT 16
#define IDS_SHARED 100
#define IDS_ONLY_IN_A 200
#define IDS_NEWEST 300
#define IDS_ONLY_IN_B 400
#define IDS_HIGHEST 65535
#define IDD_NOTES 500
#define IDC_LIST 1001
#define IDC_PLAY 1002
#define IDB_DOT 600
