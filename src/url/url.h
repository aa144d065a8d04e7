// Everything of the URL model in one include: parts, store names, classifiers, text helpers.
#pragma once

#include "url/classify.h"
#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"
