#include "app/QuorvelApp.h"

wxIMPLEMENT_APP(qv::CQuorvelApp);
