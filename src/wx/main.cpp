#include "QvWxApp.h"

wxIMPLEMENT_APP(qv::QvWxApp);
