// Resource ids of the document-support tests, shared by their resource script and sources.
#pragma once

#define IDR_DOCSMAIN 200
#define IDR_TEXTTYPE 201
