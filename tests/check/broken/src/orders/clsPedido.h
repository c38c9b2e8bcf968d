#pragma once
#  include <frame/Services.h>

class clsPedido {};
