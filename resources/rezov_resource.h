// Identifiers of the module's resources, shared by the resource script and
// the code that shows them.
#pragma once

// The setup dialog template.
#define IDD_SETUP_DIALOG 101

// The dialog's controls. The edit part inside each combo box has the id
// 1001 too, like SOAPBOX: look at the parent to tell them apart.
#define IDC_SOAPBOX 1001
#define IDC_ADDRESS 1002
#define IDC_EMAIL 1004
#define IDC_CLUB 1005
#define IDC_OPERATORS 1006
#define IDC_NAME 1007
#define IDC_CLAIMED 1008
#define IDC_CONTEST 1009
#define IDC_CALLSIGN 1010
#define IDC_CATEGORY_OPERATOR 1013
#define IDC_CATEGORY_BAND 1014
#define IDC_CATEGORY_POWER 1015
#define IDC_CATEGORY_OVERLAY 1016
#define IDC_LOCATION 1018

// Labels and the frame have no id of their own.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
