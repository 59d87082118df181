// filled in
