// Makes every framework class known to stored descriptions.
#pragma once

namespace tv {

void RegisterFrameworkClasses();

}  // namespace tv
