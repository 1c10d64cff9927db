# Installs the library into a scratch prefix and builds an outside project against it.
