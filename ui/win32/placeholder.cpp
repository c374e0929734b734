// Window layer.
