// Win32 adapters.
