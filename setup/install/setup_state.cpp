#include "setup/install/setup_state.h"

char SourceFolder[SetupPathSize];
char WindowsFolder[SetupPathSize];
char SystemFolder[SetupPathSize];
char InstallFolder[SetupPathSize];
char UninstallerPath[SetupPathSize];

bool InPlaceInstall = false;

bool RegisterStartMenu = false;
bool RegisterStartUp = false;
bool RegisterDesktop = false;
bool RegisterSendTo = false;

bool UninstallerEnabled = false;
